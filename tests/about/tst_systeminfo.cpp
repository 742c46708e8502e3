// SPDX-License-Identifier: GPL-3.0-or-later
// Finding the system-information tool with a registry and a desktop of the test's own: how the
// first value is trimmed and typed, the order of the two lookups, the one message.
#include "about/modsysteminfo.h"
#include "platform/linuxregistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;

namespace {

const QString FirstKey = SystemInfoKey, SecondKey = ToolsLocationKey, Tool = "/t/margino-sysinfo";

// Entries an ordinary user may read but not change, and a desktop that logs what it is asked.
class Fake final : public RegistryStore, public SystemInfoPlatform {
public:
    QHash<QString, std::pair<quint32, QByteArray>> values; // "key/name" -> type and data
    bool toolInFolder = false;
    QStringList opened, started, messages;
    int stillOpen = 0;

    long openKey(HKEY root, const QString &path, quint32 access, HKEY &key) override {
        opened << path;
        if (root != HKEY_LOCAL_MACHINE || (access & ~KEY_READ))
            return ERROR_ACCESS_DENIED;
        return key = HKEY(opened.size()), ++stillOpen, ERROR_SUCCESS;
    }
    long queryValue(HKEY key, const QString &name, quint32 &type, QByteArray &buffer,
                    quint32 &length) override {
        const QString entry = opened.value(int(key) - 1) + '/' + name;
        if (!values.contains(entry))
            return ERROR_FILE_NOT_FOUND;
        const auto &[valueType, data] = values[entry];
        type = valueType, length = quint32(data.size());
        buffer.replace(0, data.size(), data);
        return ERROR_SUCCESS;
    }
    long closeKey(HKEY) override { return --stillOpen, ERROR_SUCCESS; }
    RegistryStore &registry() override { return *this; }
    bool fileExists(const QString &path) override { return toolInFolder && path == Tool; }
    // Only a full path starts.
    bool startProgram(const QString &p) override { return started << p, p.startsWith('/'); }
    void showMessage(const QString &text) override { messages << text; }
};

} // namespace

class TstSystemInfo : public QObject {
    Q_OBJECT

private slots:
    void launch_startsTheFirstValueOrTheFolderToolElseSaysSo_data() {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data"); // the first value; null: none
        QTest::addColumn<bool>("toolInFolder");
        QTest::addColumn<QStringList>("started");
        const QByteArray none, path("/usr/bin/x\0", 11);
        QTest::newRow("text with its NUL") << REG_SZ << path << false << QStringList{"/usr/bin/x"};
        QTest::newRow("text without") << REG_SZ << QByteArray("/x") << false << QStringList{"/x"};
        QTest::newRow("UTF-8 text")
            << REG_SZ << QByteArray("/nicolò\0", 9) << false << QStringList{u"/nicolò"_qs};
        QTest::newRow("two NULs lose one, start fails")
            << REG_SZ << QByteArray("ab\0\0", 4) << false << QStringList{u"ab"_qs + QChar()};
        QTest::newRow("other type: empty") << REG_EXPAND_SZ << path << true << QStringList{""};
        QTest::newRow("length 0") << REG_SZ << QByteArray("") << true << QStringList();
        QTest::newRow("none, tool in folder") << REG_SZ << none << true << QStringList{Tool};
        QTest::newRow("none, folder without the tool") << REG_SZ << none << false << QStringList();
    }
    void launch_startsTheFirstValueOrTheFolderToolElseSaysSo() {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(bool, toolInFolder);
        QFETCH(QStringList, started);
        Fake fake;
        if (!data.isNull())
            fake.values[FirstKey + "/PATH"] = {type, data};
        fake.values[SecondKey + "/MSINFO"] = {REG_SZ, QByteArray("/t\0", 3)};
        fake.toolInFolder = toolInFolder;
        LaunchSystemInfo(fake);
        // Expected: what was started, the one message unless it started, the folder read only
        // when there was no first value, every key closed.
        QCOMPARE(fake.started, started);
        const bool ran = !started.isEmpty() && started[0].startsWith('/');
        QCOMPARE(fake.messages, ran ? QStringList() : QStringList{SystemInfoUnavailable});
        QCOMPARE(fake.opened,
                 (data.isNull() ? QStringList{FirstKey, SecondKey} : QStringList{FirstKey}));
        QCOMPARE(fake.stillOpen, 0);
    }

    // State: the current folder and a relative folder hold the first two tools, an absolute
    // folder the third. Action: read the first entry with "." and the relative folder before
    // the absolute one on $PATH, then with relative folders alone. Expected: the absolute folder's
    // tool, then no value; nothing from the current folder is ever named.
    void linuxRegistry_findsToolsOnlyInAbsoluteFolders() {
        QTemporaryDir dir;
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        QDir().mkpath("rel");
        QDir().mkpath(dir.filePath("abs"));
        for (const char *tool : {"kinfocenter", "rel/hardinfo", "abs/gnome-system-monitor"}) {
            QFile file(dir.filePath(QString::fromLatin1(tool)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        const auto firstValue = [](const SystemInfoTools &tools) {
            LinuxRegistry registry(tools);
            QString value;
            ReadRegistryValue(registry, HKEY_LOCAL_MACHINE, FirstKey, SystemInfoValue, value);
            return value;
        };
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", ".:rel:" + dir.filePath("abs").toUtf8());
        const QString withAbsolute = firstValue(SystemInfoTools::fromEnvironment());
        qputenv("PATH", path);
        const QString relativeOnly = firstValue(
            {{"kinfocenter", "hardinfo", "gnome-system-monitor"}, {".", "rel", "./rel"}, "/t"});
        QDir::setCurrent(current);
        QCOMPARE(withAbsolute, dir.filePath("abs/gnome-system-monitor"));
        QCOMPARE(relativeOnly, QString());
    }

    // State: the desktop's stand-in. Action: open the entry asking for read rights, then for
    // all access (0x2003F) and for setting a value alone. Expected: read
    // access only; the machine's entries are never opened for writing.
    void linuxRegistry_opensTheEntriesForReadingOnly() {
        LinuxRegistry registry(SystemInfoTools{{"sh"}, {"/bin", "/usr/bin"}, "/t"});
        HKEY key = 0;
        QCOMPARE(registry.openKey(HKEY_LOCAL_MACHINE, FirstKey, KEY_READ, key), ERROR_SUCCESS);
        QCOMPARE(registry.closeKey(key), ERROR_SUCCESS);
        for (const quint32 access : {0x2003Fu, 0x0002u, KEY_READ | 0x0004u})
            QCOMPARE(registry.openKey(HKEY_LOCAL_MACHINE, SecondKey, access, key),
                     ERROR_ACCESS_DENIED);
    }
};

QTEST_GUILESS_MAIN(TstSystemInfo)
#include "tst_systeminfo.moc"
