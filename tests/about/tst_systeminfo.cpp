// Finding the system-information tool with a registry and a platform of the test's own: how a
// value is read and trimmed, the order of the two lookups, the one message.
#include "about/modsysteminfo.h"

#include <QHash>
#include <QTest>
#include <stdexcept>

using namespace margino;

namespace {

const QString FirstKey = QLatin1String(SystemInfoKey), SecondKey = QLatin1String(ToolsLocationKey);

// Entries an ordinary user may read but not change: key path -> value name -> type and data.
class FakeRegistry final : public RegistryStore {
public:
    QHash<QString, QHash<QString, std::pair<quint32, QByteArray>>> keys;
    QStringList opened; // every key asked for, in order
    int stillOpen = 0;

    long openKey(HKEY root, const QString &path, quint32 access, HKEY &key) override {
        opened << path;
        if (root != HKEY_LOCAL_MACHINE || !keys.contains(path))
            return ERROR_FILE_NOT_FOUND;
        if (access & ~KEY_READ)
            return ERROR_ACCESS_DENIED;
        key = HKEY(opened.size());
        ++stillOpen;
        return ERROR_SUCCESS;
    }
    long queryValue(HKEY key, const QString &name, quint32 &type, QByteArray &buffer,
                    quint32 &length) override {
        const auto values = keys.value(opened.value(int(key) - 1));
        if (!values.contains(name))
            return ERROR_FILE_NOT_FOUND;
        const auto [valueType, data] = values[name];
        length = quint32(data.size());
        type = valueType;
        buffer.replace(0, data.size(), data);
        return ERROR_SUCCESS;
    }
    long closeKey(HKEY) override { return --stillOpen, ERROR_SUCCESS; }
};

class FakePlatform final : public SystemInfoPlatform {
public:
    FakeRegistry fake;
    QStringList files, startable, started, messages;

    RegistryStore &registry() override { return fake; }
    bool fileExists(const QString &path) override { return files.contains(path); }
    bool startProgram(const QString &path) override {
        return started << path, startable.contains(path);
    }
    void showMessage(const QString &text) override { messages << text; }
};

} // namespace

class TstSystemInfo : public QObject {
    Q_OBJECT

private slots:
    void readValue_dropsOneNulAndReadsOnlyText_data() {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data"); // null: no such value
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("value");
        QTest::newRow("text with its NUL")
            << REG_SZ << QByteArray("/usr/bin/x\0", 11) << true << "/usr/bin/x";
        QTest::newRow("text without one") << REG_SZ << QByteArray("/opt/x") << true << "/opt/x";
        QTest::newRow("text with two NULs")
            << REG_SZ << QByteArray("ab\0\0", 4) << true << QString::fromLatin1("ab\0", 3);
        QTest::newRow("UTF-8 text") << REG_SZ << QByteArray("/home/nicolò\0", 14) << true
                                    << QString::fromUtf8("/home/nicolò");
        QTest::newRow("expandable text")
            << REG_EXPAND_SZ << QByteArray("$HOME\0", 6) << true << "as passed";
        QTest::newRow("number") << REG_DWORD << QByteArray("\x0a\x01\0\0", 4) << true << "&h10A";
        QTest::newRow("length 0 is a run-time error") << REG_SZ << QByteArray("") << false << "";
        QTest::newRow("no such value") << REG_SZ << QByteArray() << false << "";
    }
    void readValue_dropsOneNulAndReadsOnlyText() {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(bool, read);
        QFETCH(QString, value);
        FakeRegistry registry;
        registry.keys[FirstKey] = {};
        if (!data.isNull())
            registry.keys[FirstKey]["PATH"] = {type, data};
        QString output = QStringLiteral("as passed");
        if (!data.isNull() && data.isEmpty()) {
            QVERIFY_THROWS_EXCEPTION(
                std::runtime_error,
                ReadRegistryValue(registry, HKEY_LOCAL_MACHINE, FirstKey, "PATH", output));
        } else {
            QCOMPARE(ReadRegistryValue(registry, HKEY_LOCAL_MACHINE, FirstKey, "PATH", output),
                     read);
            QCOMPARE(output, value);
        }
        QCOMPARE(registry.stillOpen, 0);
    }

    void launch_triesThePathThenTheFolderAndElseSaysSo_data() {
        QTest::addColumn<QByteArray>("path"); // the first entry; null: none
        QTest::addColumn<quint32>("pathType");
        QTest::addColumn<bool>("toolInFolder");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QStringList>("tried");
        const QByteArray kinfo("/usr/bin/kinfocenter\0", 21);
        const QStringList fromPath{"/usr/bin/kinfocenter"}, fromFolder{"/opt/t/margino-sysinfo"};
        QTest::newRow("path starts") << kinfo << REG_SZ << true << true << fromPath;
        QTest::newRow("path fails to start") << kinfo << REG_SZ << true << false << fromPath;
        QTest::newRow("path of another text type")
            << kinfo << REG_EXPAND_SZ << true << true << QStringList{""};
        QTest::newRow("tool in folder starts")
            << QByteArray() << REG_SZ << true << true << fromFolder;
        QTest::newRow("folder without the tool")
            << QByteArray() << REG_SZ << false << true << QStringList{};
    }
    void launch_triesThePathThenTheFolderAndElseSaysSo() {
        QFETCH(QByteArray, path);
        QFETCH(quint32, pathType);
        QFETCH(bool, toolInFolder);
        QFETCH(bool, starts);
        QFETCH(QStringList, tried);
        FakePlatform platform;
        if (!path.isNull())
            platform.fake.keys[FirstKey]["PATH"] = {pathType, path};
        platform.fake.keys[SecondKey]["MSINFO"] = {REG_SZ, QByteArray("/opt/t\0", 7)};
        if (toolInFolder)
            platform.files << "/opt/t/margino-sysinfo";
        if (starts)
            platform.startable << "/usr/bin/kinfocenter"
                               << "/opt/t/margino-sysinfo";

        LaunchSystemInfo(platform);
        // Expected: what was tried; the message unless it started; the folder read only
        // when there was no first entry.
        QCOMPARE(platform.started, tried);
        const QStringList message{SystemInfoUnavailable}, both{FirstKey, SecondKey};
        QCOMPARE(platform.messages, starts && !tried.value(0).isEmpty() ? QStringList{} : message);
        QCOMPARE(platform.fake.opened, path.isNull() ? both : QStringList{FirstKey});
        QCOMPARE(platform.fake.stillOpen, 0);
    }
};

QTEST_GUILESS_MAIN(TstSystemInfo)
#include "tst_systeminfo.moc"
