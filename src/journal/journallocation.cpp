// SPDX-License-Identifier: GPL-3.0-or-later
#include "journallocation.h"

#include "store/statements.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace margino {

QString journalFilePath(const QString &programFolder, const QString &dataFolder) {
    const QString name = QString::fromLatin1(JournalFileName);
    if (QFileInfo::exists(statements::dataFilePath(programFolder)))
        return QDir(programFolder).filePath(name);
    const QString folder =
        !dataFolder.isEmpty()
            ? dataFolder
            : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                  QStringLiteral("/Margino");
    return QDir(folder).filePath(name);
}

} // namespace margino
