// SPDX-License-Identifier: GPL-3.0-or-later
#include "journaltrade.h"

#include "calc/costs.h"
#include "core/numbertext.h"
#include "store/statements.h"

namespace margino {

namespace {

QString decimal(const QString &text, const QLocale &locale) {
    return statements::toStatementNumber(text, locale);
}

QString number(double value) {
    return numberToText(value, QLocale::c());
}

TradeCosts recorded(const Costs &c) {
    return {number(c.tariff.rate),       number(c.tariff.minimum),
            number(c.tariff.maximum),    number(c.tariff.maximumPercent),
            number(c.tariff.fixed),      number(c.tariff.perShare),
            number(c.tax.ratePercent),   c.tax.applies,
            number(c.capitalGainPercent)};
}

} // namespace

std::optional<QString> whyNotSavable(const TradeTexts &t) {
    if (t.quantity.isEmpty())
        return QStringLiteral("manca la quantità.");
    if (t.price.isEmpty())
        return QStringLiteral("manca il prezzo di acquisto.");
    if (!t.purchaseProblem.isEmpty())
        return t.purchaseProblem;
    if (t.purchaseAmount.isEmpty())
        return QStringLiteral("la quantità e il prezzo di acquisto non danno un risultato.");
    if (!t.sale.isEmpty() && !t.saleProblem.isEmpty())
        return t.saleProblem;
    if (!t.sale.isEmpty() && t.captions[TradeTexts::GP].isEmpty())
        return QStringLiteral("il prezzo di vendita non dà un risultato.");
    return std::nullopt;
}

Trade tradeFromTexts(const TradeTexts &t, const QLocale &locale, const QDateTime &when) {
    Trade trade;
    trade.savedAt = when;
    trade.quantity = decimal(t.quantity, locale);
    trade.purchasePrice = decimal(t.price, locale);
    trade.salePrice = decimal(t.sale, locale);
    trade.purchaseAmount = decimal(t.purchaseAmount, locale);
    trade.saleAmount = decimal(t.saleAmount, locale);
    trade.breakEven = decimal(t.captions[TradeTexts::PdP], locale);
    trade.stopPercent = decimal(t.captions[TradeTexts::SLP], locale);
    trade.stopMoney = decimal(t.captions[TradeTexts::SLMM], locale);
    trade.commissions = decimal(t.captions[TradeTexts::Commissioni], locale);
    trade.gain = decimal(t.captions[TradeTexts::GP], locale);
    trade.gainPercent = decimal(t.captions[TradeTexts::PercentualeGP], locale);
    trade.gainAfterTax = decimal(t.afterTax, locale);
    const Costs costs = tradeCosts(t); // as the last run read them, the tax as switched
    trade.costs = recorded(costs);
    if (!trade.isOpen()) {
        const std::optional<double> amount = textToNumber(t.purchaseAmount, locale);
        trade.transactionTax = number(transactionTax(costs.tax, amount.value_or(0)));
    }
    return trade;
}

QString fieldText(const QString &decimal, const QLocale &locale) {
    QString text = decimal;
    return text.replace(u'.', decimalSeparator(locale));
}

QStringList changedFigures(const Trade &saved, const TradeTexts &now, const QLocale &locale) {
    const Trade current = tradeFromTexts(now, locale, saved.savedAt);
    const struct {
        const QString Trade::*field;
        const char *name;
    } figures[] = {{&Trade::purchaseAmount, "Importo acquisto"},
                   {&Trade::saleAmount, "Importo vendita"},
                   {&Trade::breakEven, "Punto di pareggio"},
                   {&Trade::stopPercent, "Stop loss percentuale"},
                   {&Trade::stopMoney, "Stop loss money management"},
                   {&Trade::commissions, "Commissioni"},
                   {&Trade::gain, "Guadagno"},
                   {&Trade::gainPercent, "% Guadagno"},
                   {&Trade::gainAfterTax, "Guadagno netto"}};
    QStringList changed;
    for (const auto &figure : figures) {
        if (saved.*figure.field != current.*figure.field)
            changed << QString::fromUtf8(figure.name);
    }
    return changed;
}

} // namespace margino
