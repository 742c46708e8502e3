// SPDX-License-Identifier: GPL-3.0-or-later
#include "positionsize.h"

#include "core/numbertext.h"

#include <cmath>

namespace margino {

namespace {

constexpr qint64 MostShares = 999999999; // the quantity field's nine digits

struct Outcome {
    double amount, commissions, tax, loss, outlay;
};

Outcome outcomeOf(const PositionRequest &r, qint64 quantity) {
    const double q = double(quantity), amount = q * r.price;
    const double buying = orderCommission(r.costs.tariff, amount, q);
    const double tax = transactionTax(r.costs.tax, amount);
    return {amount, buying + orderCommission(r.costs.tariff, q * r.stop, q), tax,
            -netGain(r.costs, q, r.price, r.stop), amount + buying + tax};
}

// Unrounded: a loss a fraction of a cent over the budget is over it.
bool affordable(const PositionRequest &r, qint64 quantity) {
    const Outcome outcome = outcomeOf(r, quantity);
    return outcome.loss <= r.budget && (!r.capital || outcome.outlay <= *r.capital);
}

} // namespace

double percentStopPrice(double price, double slp) {
    return roundTo(price - (slp * price) / 100, 4);
}

PositionSize sizePosition(const PositionRequest &r, const QLocale &locale) {
    const auto money = [&](double value) { return numberToText(roundTo(value, 2), locale); };
    PositionSize size;
    if (!(r.price > 0))
        size.refusal = QStringLiteral("Inserisci il prezzo di acquisto.");
    else if (!(r.stop >= 0) || r.stop >= r.price)
        size.refusal = QStringLiteral("Lo stop deve stare sotto il prezzo di acquisto: con uno "
                                      "stop a %1 o più non c'è una perdita da misurare.")
                           .arg(numberToText(r.price, locale));
    else if (const double least = orderCommission(r.costs.tariff, 0, 0); r.budget < 2 * least)
        size.refusal = QStringLiteral("La perdita massima di %1 € non copre nemmeno le due "
                                      "commissioni minime (2 × %2 €).")
                           .arg(money(r.budget), money(least));
    if (!size.refusal.isEmpty())
        return size;

    // The loss and the cost grow with the quantity: search for the last one within limits.
    qint64 low = 0;
    // Costs only add to the loss, so no quantity beyond budget / (price - stop) will do.
    qint64 high = qint64(std::min(double(MostShares), r.budget / (r.price - r.stop) + 1));
    while (low < high) {
        const qint64 middle = low + (high - low + 1) / 2;
        if (affordable(r, middle))
            low = middle;
        else
            high = middle - 1;
    }
    if (low == 0) {
        const Outcome one = outcomeOf(r, 1);
        size.refusal = r.capital && one.outlay > *r.capital && one.loss <= r.budget
                           ? QStringLiteral("Il capitale di %1 € non basta per un'azione, che "
                                            "costa %2 € con la commissione.")
                                 .arg(money(*r.capital), money(one.outlay))
                           : QStringLiteral("Già un'azione perderebbe %1 € allo stop, più del "
                                            "budget di %2 €.")
                                 .arg(money(one.loss), money(r.budget));
        return size;
    }
    const Outcome outcome = outcomeOf(r, low);
    size.quantity = low;
    size.amount = outcome.amount;
    size.lossAtStop = outcome.loss;
    size.commissions = outcome.commissions;
    size.tax = outcome.tax;
    return size;
}

} // namespace margino
