// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingslocation.h"

#include "store/statements.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace margino {

std::function<void()> beforePlacingCopy;

namespace {

[[noreturn]] void failCopy(const QString &target, const QString &reason) {
    throw SettingsFileError(
        err::PathFileAccess, QStringLiteral("Errore di accesso al percorso/file"),
        QStringLiteral("Non si può creare la copia personale del file delle impostazioni."),
        QStringLiteral("File: %1\n%2").arg(QDir::toNativeSeparators(target), reason));
}

// Why a step failed: the system's cause in Italian where it is a common one, else what failed,
// each with the system's own words after it. Read errno before anything may change it.
QString reasonOf(int errnum, const QString &what) {
    const QString cause = systemCause(errnum);
    const QString lead = cause.isEmpty() ? what : cause;
    if (!errnum)
        return lead;
    const QString said = QString::fromLocal8Bit(std::strerror(errnum));
    return lead.isEmpty() ? said : QStringLiteral("%1 (%2)").arg(lead, said);
}

// Gives the finished copy its name unless something, even a dangling link, holds that name:
// the system refuses to replace it, so nothing is truncated or written through a link. False
// when the name is taken.
bool placeWithoutReplacing(const QString &temporary, const QString &target) {
    const QByteArray from = QFile::encodeName(temporary), to = QFile::encodeName(target);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return true;
    // A file system without the no-replace rename: link() never replaces nor follows either.
    if (errno == EINVAL || errno == ENOSYS) {
        if (::link(from.constData(), to.constData()) == 0) {
            ::unlink(from.constData());
            return true;
        }
    }
    if (errno == EEXIST)
        return false;
    const int errnum = errno;
    failCopy(target, reasonOf(errnum, QStringLiteral("Impossibile rinominare %1.").arg(temporary)));
}

void copyIntoPlace(const QString &shipped, const QString &target) {
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder)) {
        const int errnum = errno;
        failCopy(target, reasonOf(errnum, QStringLiteral("Impossibile creare la cartella.")));
    }
    QFile source(shipped);
    if (!source.open(QIODevice::ReadOnly)) {
        const int errnum = errno;
        failCopy(target, reasonOf(errnum, QStringLiteral("Impossibile leggere %1.").arg(shipped)));
    }
    // Created with mode 600 whatever the template's mode; synced before it gets its name.
    QTemporaryFile copy(folder + QStringLiteral("/.DataMg.mgd-XXXXXX"));
    const QByteArray bytes = source.readAll();
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush() ||
        ::fsync(copy.handle()) != 0) {
        // Read from errno: a failed sync leaves the file's own error text unset.
        const int errnum = errno;
        failCopy(target, reasonOf(errnum, QStringLiteral("Impossibile scrivere la copia.")));
    }
    copy.close();
    if (beforePlacingCopy)
        beforePlacingCopy();
    if (placeWithoutReplacing(copy.fileName(), target)) {
        copy.setAutoRemove(false);
        return;
    }
    // Another start won the race: its copy is used. A name held by anything but a file, such as
    // a link to nothing, is reported rather than written through.
    if (!QFileInfo(target).isFile())
        failCopy(target, QStringLiteral("Al suo posto c'è un collegamento o un oggetto che non "
                                        "è un file."));
}

} // namespace

QString locateSettingsFile(const QString &programFolder, const QString &userFolder,
                           const QStringList &templateFolders) {
    const QString beside = statements::dataFilePath(programFolder);
    if (QFileInfo::exists(beside))
        return beside;
    const QString userCopy = statements::dataFilePath(userFolder);
    if (QFileInfo::exists(userCopy))
        return userCopy;
    QStringList searched{beside, userCopy};
    for (const QString &folder : templateFolders) {
        const QString shipped = statements::dataFilePath(folder);
        if (QFileInfo(shipped).isFile()) {
            copyIntoPlace(shipped, userCopy);
            return userCopy;
        }
        searched << shipped;
    }
    for (QString &place : searched)
        place = QDir::toNativeSeparators(place);
    throw SettingsFileError(err::FileNotFound, QStringLiteral("Impossibile trovare il file"),
                            QStringLiteral("Il file delle impostazioni non si trova."),
                            QStringLiteral("Cercato in:\n") + searched.join(u'\n'));
}

namespace {

// An XDG base folder: the variable when it holds an absolute path, else the default under the
// home folder; a relative one is ignored, as the XDG rules say, or each starting folder would
// get its own settings.
QString xdgHome(const char *variable, const char *underHome) {
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value)
                                       : QDir::homePath() + QLatin1String(underHome);
}

} // namespace

QString userSettingsFolder() {
    return xdgHome("XDG_CONFIG_HOME", "/.config") + QStringLiteral("/Margino");
}

QStringList installedDataFolders(const QString &programFolder) {
    QStringList data{xdgHome("XDG_DATA_HOME", "/.local/share")};
    const QString dirs = qEnvironmentVariable("XDG_DATA_DIRS");
    for (const QString &folder :
         (dirs.isEmpty() ? QStringLiteral("/usr/local/share:/usr/share") : dirs).split(u':'))
        if (QDir::isAbsolutePath(folder))
            data << QDir::cleanPath(folder);
    QStringList folders;
    for (const QString &folder : std::as_const(data))
        if (const QString margino = folder + QStringLiteral("/margino"); !folders.contains(margino))
            folders << margino;
    const QString prefixData =
        QDir::cleanPath(programFolder + QStringLiteral("/" MARGINO_DATA_FROM_BIN));
    if (!folders.contains(prefixData))
        folders << prefixData;
    return folders;
}

} // namespace margino
