// SPDX-License-Identifier: GPL-3.0-or-later
#include "positionsize.h"

#include "core/numbertext.h"

#include <cmath>

namespace margino {

namespace {

constexpr qint64 MostShares = 999999999; // the quantity field's nine digits

struct Costs {
    double amount, commissions, loss, outlay;
};

Costs costsOf(const PositionRequest &r, qint64 quantity) {
    const double amount = double(quantity) * r.price;
    const double atStop = double(quantity) * r.stop;
    const double buying = orderCommission(amount, r.rate, r.minimum);
    const double commissions = buying + orderCommission(atStop, r.rate, r.minimum);
    return {amount, commissions, roundTo(amount - atStop + commissions, 2),
            roundTo(amount + buying, 2)};
}

bool affordable(const PositionRequest &r, qint64 quantity) {
    const Costs costs = costsOf(r, quantity);
    return costs.loss <= roundTo(r.budget, 2) &&
           (!r.capital || costs.outlay <= roundTo(*r.capital, 2));
}

} // namespace

double orderCommission(double amount, double rate, double minimum) {
    const double commission = amount * rate / 1000;
    return commission < minimum ? minimum : commission;
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
    else if (r.budget < 2 * r.minimum)
        size.refusal = QStringLiteral("Il budget di perdita di %1 € non copre nemmeno le due "
                                      "commissioni minime (2 × %2 €).")
                           .arg(money(r.budget), money(r.minimum));
    if (!size.refusal.isEmpty())
        return size;

    // The loss and the cost grow with the quantity: search for the last one within limits.
    qint64 low = 0;
    // Commissions only add to the loss, so no quantity beyond budget / (price - stop) will do.
    qint64 high = qint64(std::min(double(MostShares), r.budget / (r.price - r.stop) + 1));
    while (low < high) {
        const qint64 middle = low + (high - low + 1) / 2;
        if (affordable(r, middle))
            low = middle;
        else
            high = middle - 1;
    }
    if (low == 0) {
        const Costs one = costsOf(r, 1);
        size.refusal =
            r.capital && one.outlay > roundTo(*r.capital, 2) && one.loss <= roundTo(r.budget, 2)
                ? QStringLiteral("Il capitale di %1 € non basta per un'azione, che "
                                 "costa %2 € con la commissione.")
                      .arg(money(*r.capital), money(one.outlay))
                : QStringLiteral("Già un'azione perderebbe %1 € allo stop, più del "
                                 "budget di %2 €.")
                      .arg(money(one.loss), money(r.budget));
        return size;
    }
    const Costs costs = costsOf(r, low);
    size.quantity = low;
    size.amount = costs.amount;
    size.lossAtStop = costs.loss;
    size.commissions = costs.commissions;
    return size;
}

} // namespace margino
