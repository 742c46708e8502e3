// SPDX-License-Identifier: GPL-3.0-or-later
#include "positionsize.h"

#include "core/numbertext.h"

#include <algorithm>
#include <cmath>

namespace margino {

namespace {

constexpr qint64 MostShares = 999999999; // the quantity field's nine digits

bool affordable(const PositionRequest &r, const Costs &c, qint64 quantity) {
    const PositionCosts costs = positionCosts(c, r.price, r.stop, quantity);
    return costs.lossAtStop <= roundTo(r.budget, 2) &&
           (!r.capital || costs.outlay <= roundTo(*r.capital, 2));
}

} // namespace

double percentStopPrice(double price, double slp) {
    return roundTo(price - (slp * price) / 100, 4);
}

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

PositionSize sizePosition(const PositionRequest &r, const Costs &c, const QLocale &locale) {
    const auto money = [&](double value) { return moneyText(value, locale); };
    PositionSize size;
    if (!(r.price > 0))
        size.refusal = QStringLiteral("Inserire il prezzo di acquisto.");
    else if (!(r.stop > 0) || r.stop >= r.price)
        size.refusal = QStringLiteral("Lo stop deve stare tra zero e il prezzo di acquisto: con "
                                      "uno stop a %1 o più non c'è una perdita da misurare.")
                           .arg(numberToText(r.price, locale));
    else if (r.budget < 2 * c.tariff.minimum)
        size.refusal = QStringLiteral("La perdita massima di %1 non copre nemmeno le due "
                                      "commissioni minime (2 × %2).")
                           .arg(money(r.budget), money(c.tariff.minimum));
    if (!size.refusal.isEmpty())
        return size;

    // The loss and the cost grow with the quantity: search for the last one within limits.
    qint64 low = 0;
    // Costs only add to the loss, so no quantity beyond budget / (price - stop) will do.
    qint64 high = qint64(std::min(double(MostShares), r.budget / (r.price - r.stop) + 1));
    while (low < high) {
        const qint64 middle = low + (high - low + 1) / 2;
        if (affordable(r, c, middle))
            low = middle;
        else
            high = middle - 1;
    }
    if (low == 0) {
        const PositionCosts one = positionCosts(c, r.price, r.stop, 1);
        size.refusal =
            r.capital && one.outlay > roundTo(*r.capital, 2) &&
                    one.lossAtStop <= roundTo(r.budget, 2)
                ? QStringLiteral("Il capitale di %1 non basta per un'azione, che costa %2 con "
                                 "i costi.")
                      .arg(money(*r.capital), money(one.outlay))
                : QStringLiteral("Già un'azione perderebbe %1 allo stop, più della perdita "
                                 "massima di %2.")
                      .arg(money(one.lossAtStop), money(r.budget));
        return size;
    }
    size.quantity = low;
    size.costs = positionCosts(c, r.price, r.stop, low);
    return size;
}

} // namespace margino
