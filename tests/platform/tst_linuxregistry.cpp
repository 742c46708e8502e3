// The registry stand-in: which program the system-information entry names, the tools folder,
// and that the entries open for reading only.
#include "platform/linuxregistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;

namespace {

void putProgram(const QString &path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The entry's text as the stand-in answers it, or why not.
QString valueOf(LinuxRegistry &registry, const char *keyPath, const char *valueName) {
    HKEY key = 0;
    QByteArray buffer(1024, '\0');
    quint32 type = 0, length = quint32(buffer.size());
    if (registry.openKey(HKEY_LOCAL_MACHINE, QLatin1String(keyPath), KEY_READ, key) != 0)
        return QStringLiteral("no key");
    const long read = registry.queryValue(key, QLatin1String(valueName), type, buffer, length);
    registry.closeKey(key);
    if (read != ERROR_SUCCESS)
        return QStringLiteral("error %1").arg(read);
    if (type != REG_SZ || buffer.at(length - 1) != '\0')
        return QStringLiteral("not a terminated text");
    return QString::fromLocal8Bit(buffer.left(length - 1));
}

} // namespace

class TstLinuxRegistry : public QObject {
    Q_OBJECT

private slots:
    void systemInfoEntry_namesTheFirstKnownProgramOnTheSearchPath() {
        QTemporaryDir first, second;
        LinuxRegistry registry({{"kinfocenter", "hardinfo"}, {first.path(), second.path()}, {}});
        QCOMPARE(valueOf(registry, SystemInfoKey, "PATH"), QStringLiteral("error 2"));
        putProgram(first.filePath("hardinfo"));
        QCOMPARE(valueOf(registry, SystemInfoKey, "PATH"), first.filePath("hardinfo"));
        putProgram(second.filePath("kinfocenter"));
        QCOMPARE(valueOf(registry, SystemInfoKey, "PATH"), second.filePath("kinfocenter"));
        // The folders named are all that is searched: nothing, not even $PATH, without them.
        LinuxRegistry none({{"sh"}, {}, {}});
        QCOMPARE(valueOf(none, SystemInfoKey, "PATH"), QStringLiteral("error 2"));
    }

    void toolsEntry_namesTheToolsFolderAndRefusesASmallBuffer() {
        LinuxRegistry registry({{}, {}, QStringLiteral("/opt/margino")});
        QCOMPARE(valueOf(registry, ToolsLocationKey, "MSINFO"), QStringLiteral("/opt/margino"));
        QCOMPARE(valueOf(registry, ToolsLocationKey, "PATH"), QStringLiteral("error 2"));
        HKEY key = 0;
        QByteArray small(5, '\0');
        quint32 type = 0, length = 5;
        registry.openKey(HKEY_LOCAL_MACHINE, QLatin1String(ToolsLocationKey), KEY_READ, key);
        QCOMPARE(registry.queryValue(key, "MSINFO", type, small, length), ERROR_MORE_DATA);
        QCOMPARE(length, 13u);
        QCOMPARE(small, QByteArray(5, '\0'));
    }

    void entries_openForReadingOnly_data() {
        QTest::addColumn<HKEY>("root");
        QTest::addColumn<QString>("keyPath");
        QTest::addColumn<quint32>("access");
        QTest::addColumn<long>("result");
        QTest::newRow("read") << HKEY_LOCAL_MACHINE << SystemInfoKey << KEY_READ << ERROR_SUCCESS;
        QTest::newRow("read, any case")
            << HKEY_LOCAL_MACHINE << QString(SystemInfoKey).toLower() << KEY_READ << ERROR_SUCCESS;
        QTest::newRow("read and write")
            << HKEY_LOCAL_MACHINE << ToolsLocationKey << quint32(0x2003F) << ERROR_ACCESS_DENIED;
        QTest::newRow("another key")
            << HKEY_LOCAL_MACHINE << "SOFTWARE\\Margino" << KEY_READ << ERROR_FILE_NOT_FOUND;
        QTest::newRow("another root")
            << HKEY(0x80000001) << SystemInfoKey << KEY_READ << ERROR_FILE_NOT_FOUND;
    }
    void entries_openForReadingOnly() {
        QFETCH(HKEY, root);
        QFETCH(QString, keyPath);
        QFETCH(quint32, access);
        QFETCH(long, result);
        LinuxRegistry registry({{}, {}, QStringLiteral("/opt/margino")});
        HKEY key = 0;
        QCOMPARE(registry.openKey(root, keyPath, access, key), result);
    }
};

QTEST_GUILESS_MAIN(TstLinuxRegistry)
#include "tst_linuxregistry.moc"
