// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plans a trade from its risk: the quantity, the sale price that nets a target, and what the
// trade earns and risks there, all under the tariff and the transaction tax. Reading the
// settings, putting the answers into words and showing them are left to others.

#include "calc/costs.h"
#include "calc/positionsize.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace margino {

enum class TargetKind { SalePrice, GainEuro, GainPercent };

// What the user typed, as the fields hold it (texts in the locale).
struct PlanInputs {
    QString price, stop, budget, capital, target;
    TargetKind kind = TargetKind::GainEuro;
    bool afterTax = false;          // the target is the gain after the capital-gain tax
    std::optional<qint64> quantity; // the main window's quantity, when the user takes it
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

struct TradePlan {
    QString refusal; // the first thing that keeps the plan from an answer; empty when answered
    // The inputs as numbers: the gain target in euro (for a percentage, of the purchase amount,
    // to the cent upward), none when the target is a sale price.
    double price = 0, stop = 0, budget = 0;
    std::optional<double> capital, gainTarget;
    bool ownQuantity = false;    // the quantity is the main window's, not sized here
    bool targetAfterTax = false; // the gain target is the one after tax
    qint64 quantity = 0;
    PositionCosts costs;            // of the purchase, and of the sale at the stop
    bool hasTarget = false;         // the figures below hold an answer
    double target = 0, selling = 0; // the target sale price (4 decimals), its commission
    double gain = 0, afterTax = 0;  // the net gain there, before and after tax, to the cent
    double rewardRisk = 0;          // gain / loss at the stop, 2 decimals
    double breakEven = 0;           // lowest 4-decimal price whose net gain is not negative
    double breakEvenGain = 0;       // the net gain there
    std::optional<double> belowTarget, belowBreakEven; // their gains one tick (0,0001) lower
};

// The default stop: the percentage stop of the price (price - price x slp / 100, to 4
// decimals, as the main window's SLP panel computes it); empty when the price is no price.
QString percentStop(const QString &price, double slp, const QLocale &locale);

TradePlan planTrade(const PlanInputs &inputs, const Costs &costs, const QLocale &locale);

// The net gain at a sale price as the plan compares it: to the cent (roundTo), before or
// after the capital-gain tax.
double gainAt(const Costs &costs, qint64 quantity, double price, double sale, bool afterTax);

// The lowest sale price, in whole ticks of 0,0001, whose gain (gainAt) reaches `target`.
double lowestPriceFor(const Costs &costs, qint64 quantity, double price, double target,
                      bool afterTax);

// gain / loss, both in cents, to 2 decimals with halves away from zero; 0 without a loss.
double rewardRisk(double gain, double loss);

} // namespace margino
