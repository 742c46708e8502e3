// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's stand-in for the registry the system-information tool is found in: only
// absolute search-path folders are searched, and its entries are never opened for writing.
#include "about/modsysteminfo.h"
#include "platform/linuxregistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;

namespace {

const QString FirstKey = SystemInfoKey, SecondKey = ToolsLocationKey;

} // namespace

class TstSystemInfo : public QObject {
    Q_OBJECT

private slots:
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
