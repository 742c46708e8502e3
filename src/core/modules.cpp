// SPDX-License-Identifier: GPL-3.0-or-later
#include "modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace margino {

QFunctionPointer moduleEntry(const QString &fileName, const char *symbol, QString &problem) {
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString &place :
         {program.filePath(fileName),
          program.filePath(QStringLiteral(MARGINO_MODULE_DIR "/") + fileName), fileName}) {
        QLibrary module(place);
        if (const QFunctionPointer entry = module.resolve(symbol))
            return entry;
        problem = module.errorString();
    }
    return nullptr;
}

} // namespace margino
