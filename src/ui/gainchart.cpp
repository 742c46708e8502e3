// SPDX-License-Identifier: GPL-3.0-or-later
#include "gainchart.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

namespace margino {

// Beside the program (the build tree, a portable folder), then in the installed library folder
// (MARGINO_CHART_DIR, relative to the program's), then wherever the loader looks.
GainChart *makeGainChart(QWidget *parent, QString &problem) {
    static MarginoMakeGainChart *make = nullptr;
    if (!make) {
        const QDir program(QCoreApplication::applicationDirPath());
        const QString file = QStringLiteral("libmargino_chart.so");
        for (const QString &place :
             {program.filePath(file),
              program.filePath(QStringLiteral(MARGINO_CHART_DIR "/") + file), file}) {
            QLibrary module(place);
            make = reinterpret_cast<MarginoMakeGainChart *>(module.resolve("marginoMakeGainChart"));
            if (make)
                break;
            problem = module.errorString();
        }
    }
    return make ? make(parent) : nullptr;
}

} // namespace margino
