// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sizes a position from the risk: the largest whole quantity whose loss at the stop, both
// orders' commissions included, stays within a budget, and whose cost within a capital.

#include <QLocale>
#include <QString>
#include <optional>

namespace margino {

struct PositionRequest {
    double price = 0, stop = 0, budget = 0; // per unit, per unit, the loss allowed in money
    double rate = 0, minimum = 0;           // commission per thousand of an order, its minimum
    std::optional<double> capital;          // the money available, when given
};

struct PositionSize {
    qint64 quantity = 0;
    double amount = 0;      // quantity x price
    double lossAtStop = 0;  // amount - quantity x stop + both commissions, to the cent
    double commissions = 0; // of the purchase and of the sale at the stop
    QString refusal;        // why there is no quantity, in Italian; empty when there is one
};

// The largest quantity in the numeric field's range (nine digits). Losses and costs are
// compared to the cent, as the gain is shown.
PositionSize sizePosition(const PositionRequest &request, const QLocale &locale);

// A commission on one order: the rate per thousand of its amount, never below the minimum.
double orderCommission(double amount, double rate, double minimum);

} // namespace margino
