// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The gain of a planned trade against the sale price, as points for a chart: from below the
// stop to above the target, every point where a cost changes its rule included, so the lines
// between the points are exact. Drawing them is the window's.

#include "calc/tradeplan.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <optional>

namespace margino {

struct CurveMark {
    enum Kind { Stop, BreakEven, Target, Sale, MinimumEnds, MaximumStarts, TaxStarts };
    Kind kind;
    double price, gain, afterTax; // gains to the cent
};

struct GainCurve {
    QList<QPointF> gain, afterTax; // (sale price, net gain), sorted by price
    QList<CurveMark> marks;        // the labelled marks, then the kinks, each by price
    double low = 0, high = 0;      // the prices shown
};

// For a plan with a quantity; the main window's sale price is marked when given.
GainCurve gainCurve(const TradePlan &plan, const Costs &costs, std::optional<double> sale);

// "Stop", "Pareggio", "Obiettivo", "Vendita", "Fine del minimo", ...
QString markName(CurveMark::Kind kind);

} // namespace margino
