// SPDX-License-Identifier: GPL-3.0-or-later
#include "gaincurve.h"

#include <algorithm>
#include <cmath>

namespace margino {

namespace {

// Where the sale order's commission may change its rule, as sale prices: where the rate's
// amount meets the minimum, the maximum, or the percentage maximum, and where those meet.
// A candidate that is no kink only adds a point on a straight line.
QList<std::pair<double, CurveMark::Kind>> candidates(const Tariff &t, double q) {
    QList<std::pair<double, CurveMark::Kind>> prices;
    const double perUnit = t.rate / 1000 * q, flat = t.fixed + t.perShare * q;
    const double capPerUnit = t.maximumPercent / 100 * q;
    if (perUnit > 0)
        prices.append({(t.minimum - flat) / perUnit, CurveMark::MinimumEnds});
    if (perUnit > 0 && t.maximum > 0)
        prices.append({(t.maximum - flat) / perUnit, CurveMark::MaximumStarts});
    if (capPerUnit > 0) {
        if (capPerUnit != perUnit)
            prices.append({flat / (capPerUnit - perUnit), CurveMark::MaximumStarts});
        prices.append({t.minimum / capPerUnit, CurveMark::MaximumStarts});
        if (t.maximum > 0)
            prices.append({t.maximum / capPerUnit, CurveMark::MaximumStarts});
    }
    return prices;
}

// A commission that bends at the price: its two sides have different slopes.
bool bends(const Tariff &t, double q, double price) {
    const double d = std::max(1e-6, price * 1e-6);
    const auto c = [&](double p) { return orderCommission(t, p * q, q); };
    const double left = (c(price) - c(price - d)) / d, right = (c(price + d) - c(price)) / d;
    return std::abs(left - right) > 1e-6 * q;
}

} // namespace

QString markName(CurveMark::Kind kind) {
    switch (kind) {
    case CurveMark::Stop:
        return QStringLiteral("Stop");
    case CurveMark::BreakEven:
        return QStringLiteral("Pareggio");
    case CurveMark::Target:
        return QStringLiteral("Obiettivo");
    case CurveMark::Sale:
        return QStringLiteral("Vendita");
    case CurveMark::MinimumEnds:
        return QStringLiteral("Fine della commissione minima");
    case CurveMark::MaximumStarts:
        return QStringLiteral("Inizio della commissione massima");
    case CurveMark::TaxStarts:
        return QStringLiteral("Inizio dell'imposta");
    }
    return {};
}

GainCurve gainCurve(const TradePlan &plan, const Costs &costs, std::optional<double> sale) {
    GainCurve curve;
    if (plan.quantity <= 0)
        return curve;
    const qint64 q = plan.quantity;
    const auto mark = [&](CurveMark::Kind kind, double price) {
        curve.marks.append({kind, price, gainAt(costs, q, plan.price, price, false),
                            gainAt(costs, q, plan.price, price, true)});
    };
    mark(CurveMark::Stop, plan.stop);
    mark(CurveMark::BreakEven, plan.breakEven);
    double top = plan.breakEven;
    if (plan.hasTarget) {
        mark(CurveMark::Target, plan.target);
        top = std::max(top, plan.target);
    }
    if (sale && *sale > 0) {
        mark(CurveMark::Sale, *sale);
        top = std::max(top, *sale);
    }
    const double bottom = std::min(plan.stop, sale.value_or(plan.stop));
    const double margin = std::max((top - bottom) / 4, plan.price * 0.001);
    curve.low = std::max(0.0, bottom - margin);
    curve.high = top + margin;

    const auto inside = [&](double p) { return p > curve.low && p < curve.high; };
    for (const auto &[price, kind] : candidates(costs.tariff, double(q)))
        if (inside(price) && bends(costs.tariff, double(q), price))
            mark(kind, price);
    // The capital-gain tax starts where the gain before it and the transaction tax is zero.
    const double taxFree = salePriceForGain(costs, double(q), plan.price,
                                            -transactionTax(costs.tax, plan.costs.amount), false);
    // Without a transaction tax that is the break-even, already marked.
    if (costs.capitalGainPercent > 0 && std::isfinite(taxFree) && inside(taxFree) &&
        std::abs(taxFree - plan.breakEven) >= 0.0001)
        mark(CurveMark::TaxStarts, taxFree);

    QList<double> prices{curve.low, curve.high};
    for (const CurveMark &m : std::as_const(curve.marks))
        prices.append(m.price);
    std::sort(prices.begin(), prices.end());
    prices.erase(std::unique(prices.begin(), prices.end()), prices.end());
    curve.gain.reserve(prices.size());
    curve.afterTax.reserve(prices.size());
    for (double p : std::as_const(prices)) {
        curve.gain.append({p, netGain(costs, double(q), plan.price, p)});
        curve.afterTax.append({p, gainAfterTax(costs, double(q), plan.price, p)});
    }
    return curve;
}

} // namespace margino
