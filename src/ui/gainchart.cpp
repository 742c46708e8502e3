// SPDX-License-Identifier: GPL-3.0-or-later
#include "gainchart.h"

#include "core/modules.h"

namespace margino {

GainChart *makeGainChart(QWidget *parent, QString &problem) {
    static MarginoMakeGainChart *make = nullptr;
    if (!make)
        make = reinterpret_cast<MarginoMakeGainChart *>(
            moduleEntry(QStringLiteral("libmargino_chart.so"), "marginoMakeGainChart", problem));
    return make ? make(parent) : nullptr;
}

} // namespace margino
