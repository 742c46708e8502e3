// Finding and starting the system-information tool with a registry and a platform of the
// test's own: how a value is read and trimmed, the order of the two lookups, the one message.
#include "about/modsysteminfo.h"

#include <QHash>
#include <QTest>
#include <stdexcept>

using namespace margino;

namespace {

const QString FirstKey = QLatin1String(SystemInfoKey);
const QString SecondKey = QLatin1String(ToolsLocationKey);

// Entries an ordinary user may read but not change.
class FakeRegistry final : public RegistryStore {
public:
    struct Value {
        quint32 type;
        QByteArray data;
    };
    QHash<QString, QHash<QString, Value>> keys; // key path -> value name -> value
    QStringList opened;                         // every key asked for, in order
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
        const QHash<QString, Value> values = keys.value(opened.value(int(key) - 1));
        if (!values.contains(name))
            return ERROR_FILE_NOT_FOUND;
        const Value value = values[name];
        length = quint32(value.data.size());
        if (value.data.size() > buffer.size())
            return ERROR_MORE_DATA;
        type = value.type;
        buffer.replace(0, value.data.size(), value.data);
        return ERROR_SUCCESS;
    }
    long closeKey(HKEY) override {
        --stillOpen;
        return ERROR_SUCCESS;
    }
};

class FakePlatform final : public SystemInfoPlatform {
public:
    FakeRegistry fake;
    QStringList files, startable, started, messages;

    RegistryStore &registry() override { return fake; }
    bool fileExists(const QString &path) override { return files.contains(path); }
    bool startProgram(const QString &path) override {
        started << path;
        return startable.contains(path);
    }
    void showMessage(const QString &text) override { messages << text; }
};

} // namespace

class TstSystemInfo : public QObject {
    Q_OBJECT

private slots:
    void readValue_dropsOneNulAndReadsOnlyText_data() {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("value");
        const QString asPassed = QStringLiteral("as passed");
        QTest::newRow("text with its NUL")
            << true << REG_SZ << QByteArray("/usr/bin/kinfocenter\0", 21) << true
            << "/usr/bin/kinfocenter";
        QTest::newRow("text without a NUL keeps all")
            << true << REG_SZ << QByteArray("/opt/info") << true << "/opt/info";
        QTest::newRow("text with two NULs loses one")
            << true << REG_SZ << QByteArray("ab\0\0", 4) << true << QString::fromLatin1("ab\0", 3);
        QTest::newRow("UTF-8 text") << true << REG_SZ << QByteArray("/home/nicolò\0", 14) << true
                                    << QString::fromUtf8("/home/nicolò");
        QTest::newRow("expandable text left as passed")
            << true << REG_EXPAND_SZ << QByteArray("$HOME/bin\0", 10) << true << asPassed;
        QTest::newRow("binary left as passed")
            << true << quint32(3) << QByteArray("\x01\x02", 2) << true << asPassed;
        QTest::newRow("number") << true << REG_DWORD << QByteArray("\x0a\x01\0\0", 4) << true
                                << "&h10A";
        QTest::newRow("no such value empties the output")
            << false << REG_SZ << QByteArray() << false << QString();
        QTest::newRow("longer than the buffer empties the output")
            << true << REG_SZ << QByteArray(ValueBufferSize + 1, 'x') << false << QString();
    }
    void readValue_dropsOneNulAndReadsOnlyText() {
        QFETCH(bool, stored);
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(bool, read);
        QFETCH(QString, value);
        FakeRegistry registry;
        registry.keys[FirstKey] = {};
        if (stored)
            registry.keys[FirstKey][QStringLiteral("PATH")] = {type, data};
        QString output = QStringLiteral("as passed");
        QCOMPARE(ReadRegistryValue(registry, HKEY_LOCAL_MACHINE, FirstKey, "PATH", output), read);
        QCOMPARE(output, value);
        QCOMPARE(registry.stillOpen, 0);
    }

    void readValue_ofLengthZeroIsARunTimeErrorAndClosesTheKey() {
        FakeRegistry registry;
        registry.keys[FirstKey][QStringLiteral("PATH")] = {REG_SZ, QByteArray()};
        QString output;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, ReadRegistryValue(registry, HKEY_LOCAL_MACHINE,
                                                                       FirstKey, "PATH", output));
        QCOMPARE(registry.stillOpen, 0);
    }

    void launch_triesThePathThenTheFolderAndElseSaysSo_data() {
        QTest::addColumn<QByteArray>("path"); // the first entry; empty: none
        QTest::addColumn<quint32>("pathType");
        QTest::addColumn<bool>("toolInFolder");
        QTest::addColumn<bool>("starts");
        QTest::addColumn<QStringList>("tried");
        QTest::addColumn<bool>("message");
        QTest::addColumn<bool>("secondRead");
        const QByteArray kinfo("/usr/bin/kinfocenter\0", 21);
        const QString inFolder = QStringLiteral("/opt/tools/margino-sysinfo");
        QTest::newRow("path starts, folder never read")
            << kinfo << REG_SZ << true << true << QStringList{"/usr/bin/kinfocenter"} << false
            << false;
        QTest::newRow("path fails to start")
            << kinfo << REG_SZ << true << false << QStringList{"/usr/bin/kinfocenter"} << true
            << false;
        QTest::newRow("path of another text type starts nothing")
            << kinfo << REG_EXPAND_SZ << true << true << QStringList{""} << true << false;
        QTest::newRow("path of length 0")
            << QByteArray("") << quint32(REG_SZ) << true << true << QStringList{} << true << false;
        QTest::newRow("no path, tool in folder starts")
            << QByteArray() << REG_SZ << true << true << QStringList{inFolder} << false << true;
        QTest::newRow("no path, folder without the tool")
            << QByteArray() << REG_SZ << false << true << QStringList{} << true << true;
        QTest::newRow("no path, tool in folder fails to start")
            << QByteArray() << REG_SZ << true << false << QStringList{inFolder} << true << true;
    }
    void launch_triesThePathThenTheFolderAndElseSaysSo() {
        QFETCH(QByteArray, path);
        QFETCH(quint32, pathType);
        QFETCH(bool, toolInFolder);
        QFETCH(bool, starts);
        QFETCH(QStringList, tried);
        QFETCH(bool, message);
        QFETCH(bool, secondRead);
        FakePlatform platform;
        if (!path.isNull())
            platform.fake.keys[FirstKey][QStringLiteral("PATH")] = {pathType, path};
        platform.fake.keys[SecondKey][QStringLiteral("MSINFO")] = {REG_SZ, "/opt/tools\0"};
        if (toolInFolder)
            platform.files << QStringLiteral("/opt/tools/margino-sysinfo");
        if (starts)
            platform.startable << "/usr/bin/kinfocenter"
                               << "/opt/tools/margino-sysinfo";

        LaunchSystemInfo(platform);
        QCOMPARE(platform.started, tried);
        QCOMPARE(platform.messages, (message ? QStringList{SystemInfoUnavailable} : QStringList{}));
        QCOMPARE(platform.fake.opened,
                 (secondRead ? QStringList{FirstKey, SecondKey} : QStringList{FirstKey}));
        QCOMPARE(platform.fake.stillOpen, 0);
    }
};

QTEST_GUILESS_MAIN(TstSystemInfo)
#include "tst_systeminfo.moc"
