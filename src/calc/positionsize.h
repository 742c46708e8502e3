// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sizes a position from the risk: the largest whole quantity whose loss at the stop, every cost
// included, stays within a budget, and whose cost within a capital. The costs are costs.h's.

#include "calc/costs.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace margino {

struct PositionRequest {
    double price = 0, stop = 0, budget = 0; // per unit, per unit, the loss allowed in money
    Costs costs;                            // the tariff and the transaction tax as switched
    std::optional<double> capital;          // the money available, when given
};

struct PositionSize {
    qint64 quantity = 0;
    double amount = 0;      // quantity x price
    double lossAtStop = 0;  // amount - quantity x stop + both commissions + the tax, unrounded
    double commissions = 0; // of the purchase and of the sale at the stop
    double tax = 0;         // the transaction tax on the purchase
    QString refusal;        // why there is no quantity, in Italian; empty when there is one
};

// The largest quantity in the numeric field's range (nine digits). Losses and costs are
// compared unrounded, so no answer exceeds the budget or the capital by any amount.
PositionSize sizePosition(const PositionRequest &request, const QLocale &locale);

} // namespace margino
