// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sizes a position from the risk: the largest whole quantity whose loss at the stop, every cost
// of both orders included, stays within a budget, and whose cost within a capital. The costs
// themselves are the tariff's and the tax's (costs.h).

#include "calc/costs.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace margino {

// The percentage stop: price - price x slp / 100, to 4 decimals (roundTo).
double percentStopPrice(double price, double slp);

struct PositionRequest {
    double price = 0, stop = 0, budget = 0; // per unit, per unit, the loss allowed in money
    std::optional<double> capital;          // the money available, when given
};

// What a quantity costs and risks, each to the cent (roundTo).
struct PositionCosts {
    double amount = 0;     // quantity x price, unrounded
    double buying = 0;     // the purchase order's commission
    double tax = 0;        // the transaction tax on the purchase
    double selling = 0;    // the sale order's commission at the stop
    double lossAtStop = 0; // minus the net gain of selling at the stop
    double outlay = 0;     // amount + buying + tax: the capital the purchase takes
};
PositionCosts positionCosts(const Costs &costs, double price, double stop, qint64 quantity);

struct PositionSize {
    qint64 quantity = 0;
    PositionCosts costs; // of that quantity
    QString refusal;     // why there is no quantity, in Italian; empty when there is one
};

// The largest quantity in the numeric field's range (nine digits). Losses and costs are
// compared to the cent, as the gain is shown.
PositionSize sizePosition(const PositionRequest &request, const Costs &costs,
                          const QLocale &locale);

} // namespace margino
