// SPDX-License-Identifier: GPL-3.0-or-later
#include "tradeplan.h"

#include "calc/explanations.h"
#include "core/numbertext.h"

#include <cmath>

namespace margino {

namespace {

constexpr double Tick = 0.0001; // prices are answered to 4 decimals

qint64 cents(double money) {
    return std::llround(money * 100);
}

// The first problem of an input, or its value.
std::optional<double> read(const QString &text, const char *what, const QLocale &locale,
                           QString &refusal) {
    refusal = inputProblem(text, what, locale);
    if (!refusal.isEmpty())
        return std::nullopt;
    return textToNumber(text, locale);
}

} // namespace

PositionCosts positionCosts(const Costs &c, double price, double stop, qint64 quantity) {
    const double q = double(quantity);
    PositionCosts p;
    p.amount = q * price;
    p.buying = roundTo(orderCommission(c.tariff, p.amount, q), 2);
    p.tax = roundTo(transactionTax(c.tax, p.amount), 2);
    p.selling = roundTo(orderCommission(c.tariff, q * stop, q), 2);
    p.lossAtStop = roundTo(-netGain(c, q, price, stop), 2);
    p.outlay = roundTo(
        p.amount + orderCommission(c.tariff, p.amount, q) + transactionTax(c.tax, p.amount), 2);
    return p;
}

QString percentStop(const QString &price, double slp, const QLocale &locale) {
    const double value = textToNumber(price, locale).value_or(0);
    return value > 0 ? numberToText(percentStopPrice(value, slp), locale) : QString();
}

double gainAt(const Costs &costs, qint64 quantity, double price, double sale, bool afterTax) {
    const double q = double(quantity);
    return afterTax ? roundTo(gainAfterTax(costs, q, price, sale), 2)
                    : roundTo(netGain(costs, q, price, sale), 2);
}

// The solved price is exact in real numbers; the answer is the first whole tick at which the
// gain, to the cent as it is shown, reaches the target. The gain grows with the price, so a
// few steps around the solution, doubled then halved, find that tick whatever the rounding.
double lowestPriceFor(const Costs &costs, qint64 quantity, double price, double target,
                      bool afterTax) {
    const double solved = salePriceForGain(costs, double(quantity), price, target, afterTax);
    if (!std::isfinite(solved))
        return solved;
    const qint64 goal = cents(target);
    const auto reaches = [&](qint64 ticks) {
        return cents(gainAt(costs, quantity, price, double(ticks) * Tick, afterTax)) >= goal;
    };
    qint64 high = std::max<qint64>(1, qint64(std::ceil(solved / Tick - 1e-6)));
    qint64 step = 1;
    while (!reaches(high) && step < (qint64(1) << 50)) {
        high += step;
        step *= 2;
    }
    qint64 low = high; // lowest tick known to reach, then the search below it
    step = 1;
    qint64 below = high - 1;
    while (below > 0 && reaches(below)) {
        low = below;
        below = low - step;
        step *= 2;
    }
    below = std::max<qint64>(below, 0);
    while (low - below > 1) { // below does not reach (or is 0), low does
        const qint64 middle = below + (low - below) / 2;
        (reaches(middle) ? low : below) = middle;
    }
    return double(low) * Tick;
}

double rewardRisk(double gain, double loss) {
    const qint64 g = cents(gain), l = cents(loss);
    if (l <= 0)
        return 0;
    const qint64 scaled = g * 100;
    const qint64 rounded = (2 * scaled + (scaled < 0 ? -l : l)) / (2 * l);
    return double(rounded) / 100;
}

TradePlan planTrade(const PlanInputs &in, const Costs &costs, const QLocale &locale) {
    TradePlan plan;
    const auto price = read(in.price, "il prezzo di acquisto", locale, plan.refusal);
    if (!price)
        return plan;
    plan.price = *price;
    const auto stop = read(in.stop, "il prezzo di stop", locale, plan.refusal);
    if (!stop)
        return plan;
    plan.stop = *stop;
    if (plan.stop >= plan.price) {
        plan.refusal = QStringLiteral("Il prezzo di stop deve stare sotto il prezzo di "
                                      "acquisto (%1): ora è %2")
                           .arg(in.price, in.stop);
        return plan;
    }

    if (in.quantity) {
        plan.ownQuantity = true;
        if (*in.quantity <= 0) {
            plan.refusal = QStringLiteral("Inserisci la quantità nella finestra principale");
            return plan;
        }
        plan.quantity = *in.quantity;
    } else {
        const auto budget = read(in.budget, "la perdita massima", locale, plan.refusal);
        if (!budget)
            return plan;
        plan.budget = *budget;
        if (!in.capital.isEmpty()) {
            plan.capital = read(in.capital, "il capitale", locale, plan.refusal);
            if (!plan.capital)
                return plan;
        }
        const PositionSize size =
            sizePosition({plan.price, plan.stop, plan.budget, costs, plan.capital}, locale);
        if (!size.refusal.isEmpty()) {
            plan.refusal = size.refusal;
            return plan;
        }
        plan.quantity = size.quantity;
    }
    plan.costs = positionCosts(costs, plan.price, plan.stop, plan.quantity);
    plan.breakEven = lowestPriceFor(costs, plan.quantity, plan.price, 0, false);
    plan.breakEvenGain = gainAt(costs, plan.quantity, plan.price, plan.breakEven, false);
    plan.belowBreakEven = gainAt(costs, plan.quantity, plan.price, plan.breakEven - Tick, false);

    const char *what = in.kind == TargetKind::SalePrice ? "il prezzo di vendita obiettivo"
                                                        : "il guadagno netto obiettivo";
    const auto target = read(in.target, what, locale, plan.refusal);
    if (!target)
        return plan;
    plan.targetAfterTax = in.afterTax && in.kind != TargetKind::SalePrice;
    if (in.kind == TargetKind::SalePrice) {
        plan.target = *target;
    } else {
        // A percentage of the purchase amount, to the cent upward: reaching the euro reaches it.
        plan.gainTarget = in.kind == TargetKind::GainEuro
                              ? roundTo(*target, 2)
                              : std::ceil(*target * plan.costs.amount - 1e-6) / 100;
        plan.target =
            lowestPriceFor(costs, plan.quantity, plan.price, *plan.gainTarget, in.afterTax);
        if (!std::isfinite(plan.target)) {
            plan.refusal = QStringLiteral("Nessun prezzo di vendita dà questo guadagno.");
            return plan;
        }
        plan.belowTarget =
            gainAt(costs, plan.quantity, plan.price, plan.target - Tick, in.afterTax);
    }
    plan.hasTarget = true;
    plan.selling = roundTo(
        orderCommission(costs.tariff, double(plan.quantity) * plan.target, double(plan.quantity)),
        2);
    plan.gain = gainAt(costs, plan.quantity, plan.price, plan.target, false);
    plan.afterTax = gainAt(costs, plan.quantity, plan.price, plan.target, true);
    plan.rewardRisk = rewardRisk(plan.gain, plan.costs.lossAtStop);
    return plan;
}

} // namespace margino
