// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingslocation.h"

#include "store/statements.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <unistd.h>

namespace margino {

namespace {

[[noreturn]] void failCopy(const QString &target, const QString &reason) {
    throw SettingsFileError(
        err::PathFileAccess, QStringLiteral("Errore di accesso al percorso/file"),
        QStringLiteral("Non si può creare la copia personale del file delle impostazioni."),
        QStringLiteral("File: %1\n%2").arg(QDir::toNativeSeparators(target), reason));
}

void copyIntoPlace(const QString &shipped, const QString &target) {
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        failCopy(target, QStringLiteral("Impossibile creare la cartella."));
    QFile source(shipped);
    if (!source.open(QIODevice::ReadOnly))
        failCopy(target, source.errorString());
    // Created owner-writable whatever the template's mode; synced before it gets its name.
    QTemporaryFile copy(folder + QStringLiteral("/.DataMg.mgd-XXXXXX"));
    const QByteArray bytes = source.readAll();
    if (!copy.open() || copy.write(bytes) != bytes.size() || !copy.flush() ||
        ::fsync(copy.handle()) != 0)
        failCopy(target, copy.errorString());
    copy.close();
    copy.setAutoRemove(false);
    const QString temporary = copy.fileName();
    // The rename never replaces a file: a copy made meanwhile by another start is kept.
    if (!QFile::rename(temporary, target)) {
        QFile::remove(temporary);
        if (!QFileInfo::exists(target))
            failCopy(target, QStringLiteral("Impossibile rinominare %1.").arg(temporary));
    }
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

QString userSettingsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Margino");
}

QStringList installedDataFolders(const QString &programFolder) {
    QStringList folders;
    for (const QString &data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders << data + QStringLiteral("/margino");
    const QString prefixData =
        QDir::cleanPath(programFolder + QStringLiteral("/" MARGINO_DATA_FROM_BIN));
    if (!folders.contains(prefixData))
        folders << prefixData;
    return folders;
}

} // namespace margino
