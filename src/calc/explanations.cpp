// SPDX-License-Identifier: GPL-3.0-or-later
#include "explanations.h"

#include "calc/costs.h"
#include "core/numbertext.h"

namespace margino {

namespace {

// A value with its unit after it, the spoken unit written as its sign; nothing stays nothing.
QString withUnit(const QString &value, const char *unit) {
    if (value.isEmpty())
        return value;
    const QString name = QString::fromUtf8(unit);
    return value + u' ' +
           (name == u"euro"        ? QStringLiteral("€")
            : name == u"per cento" ? QStringLiteral("%")
                                   : name);
}

QString label(Figure figure) {
    return QString::fromUtf8(figureRow(figure).label);
}

} // namespace

QString inputProblem(const QString &text, const char *what, const QLocale &locale) {
    const QString name = QString::fromUtf8(what);
    if (text.isEmpty())
        return QStringLiteral("Inserisci %1").arg(name);
    const std::optional<double> value = textToNumber(text, locale);
    if (!value)
        return QStringLiteral("Correggi %1: «%2» non è un numero").arg(name, text);
    if (*value == 0)
        return QStringLiteral("%1%2 deve essere maggiore di zero")
            .arg(name[0].toUpper(), name.mid(1));
    return {};
}

namespace {

QString missing(Figure figure, const TradeTexts &t, const QLocale &locale) {
    if (!t.purchaseProblem.isEmpty())
        return t.purchaseProblem;
    for (QString problem : {inputProblem(t.quantity, "la quantità", locale),
                            inputProblem(t.price, "il prezzo di acquisto", locale)})
        if (!problem.isEmpty())
            return problem;
    if (figureRow(figure).side == TradeSide::Sale) {
        if (!t.saleProblem.isEmpty())
            return t.saleProblem;
        const QString problem = inputProblem(t.sale, "il prezzo di vendita", locale);
        if (!problem.isEmpty())
            return problem;
    }
    return QStringLiteral("Nessun risultato");
}

// Money to the cent with both decimals: "105,90".
QString money(double value, const QLocale &l) {
    QString text = numberToText(roundTo(value, 2), l);
    if (text.contains(u'E'))
        return text;
    const qsizetype separator = text.indexOf(decimalSeparator(l));
    if (separator < 0)
        return text + decimalSeparator(l) + QStringLiteral("00");
    return text + QString(2 - (text.size() - separator - 1), u'0');
}

// Each part of one order's commission in use and the bound that held: "50000 × 1,9 ‰ = 95
// → massimo 19".
QString commission(const QString &amount, const TradeTexts &t, const QLocale &l) {
    const Tariff tariff = tradeCosts(t).tariff;
    const double value = textToNumber(amount, l).value_or(0);
    const double quantity = textToNumber(t.quantity, l).value_or(0);
    const Commission c = commissionOf(tariff, value, quantity);
    const auto n = [&l](double v) { return numberToText(v, l); };
    QStringList parts;
    if (tariff.fixed > 0)
        parts << n(tariff.fixed);
    if (tariff.rate > 0 || (tariff.fixed == 0 && tariff.perShare == 0))
        parts << QStringLiteral("%1 × %2 ‰").arg(amount, n(tariff.rate));
    if (tariff.perShare > 0)
        parts << QStringLiteral("%1 × %2").arg(t.quantity, n(tariff.perShare));
    QString text = parts.join(QStringLiteral(" + "));
    if (parts.size() > 1 || tariff.fixed == 0)
        text += QStringLiteral(" = ") + n(c.raw);
    switch (c.bound) {
    case Commission::Bound::None:
        break;
    case Commission::Bound::Minimum:
        text += QStringLiteral(" → minimo %1").arg(n(tariff.minimum));
        break;
    case Commission::Bound::Maximum:
        text += QStringLiteral(" → massimo %1").arg(n(tariff.maximum));
        break;
    case Commission::Bound::MaximumPercent:
        text += QStringLiteral(" → massimo %1 % di %2 = %3")
                    .arg(n(tariff.maximumPercent), amount, n(c.value));
        break;
    }
    return text;
}

// "0,2 % × 50000 = 100", or nothing when the trade does not pay the transaction tax.
QString taxPart(const TradeTexts &t, const QLocale &l) {
    const TransactionTax tax = tradeCosts(t).tax;
    if (!tax.applies)
        return {};
    const double amount = textToNumber(t.purchaseAmount, l).value_or(0);
    return QStringLiteral("%1 % × %2 = %3")
        .arg(numberToText(tax.ratePercent, l), t.purchaseAmount,
             numberToText(transactionTax(tax, amount), l));
}

QString afterTaxLine(const TradeTexts &t, const QLocale &l) {
    const Costs costs = tradeCosts(t);
    const QString rate = numberToText(costs.capitalGainPercent, l);
    const QString gain = t.captions[TradeTexts::GP];
    const double value = textToNumber(gain, l).value_or(0);
    const double bought = textToNumber(t.purchaseAmount, l).value_or(0);
    const double base = roundTo(value + transactionTax(costs.tax, bought), 2);
    const qint64 cents = capitalGainTaxCents(costs.capitalGainPercent, base);
    if (cents > 0) {
        // The product as written, then the cent it is withheld as when that differs.
        const QString product = numberToText(base * costs.capitalGainPercent / 100, l);
        const QString withheld = numberToText(double(cents) / 100, l);
        return QStringLiteral("Netto dopo le imposte: %1 − (%2 % × %3 = %4) = %5")
            .arg(gain, rate, numberToText(base, l),
                 product == withheld ? product : product + QStringLiteral(" → ") + withheld,
                 t.afterTax);
    }
    if (value == 0)
        return QStringLiteral("Nessuna imposta (%1 %) senza guadagno: netto %2").arg(rate, gain);
    if (value > 0 || base > 0)
        return QStringLiteral("Nessuna imposta (%1 %): netto %2").arg(rate, t.afterTax);
    return QStringLiteral("Nessuna imposta (%1 %) su una perdita: netto %2. La perdita si può "
                          "compensare con plusvalenze future.")
        .arg(rate, gain);
}

// Selling the whole position at the budget stop: what it loses, every cost counted.
QString lossAtBudgetStop(const TradeTexts &t, const QLocale &l) {
    const double quantity = textToNumber(t.quantity, l).value_or(0);
    const double stop = textToNumber(t.captions[TradeTexts::SLMM], l).value_or(0);
    const double bought = textToNumber(t.purchaseAmount, l).value_or(0);
    const double sold = textToNumber(numberToText(quantity * stop, l), l).value_or(0);
    return QStringLiteral("Perdita a questo prezzo, costi inclusi: %1 €")
        .arg(money(-netGainOfAmounts(tradeCosts(t), quantity, bought, sold), l));
}

// The break-even as the sale amount that pays for everything, over the quantity.
QString breakEven(const TradeTexts &t, const QString &value, const QLocale &l) {
    const double quantity = textToNumber(t.quantity, l).value_or(0);
    const double bought = textToNumber(t.purchaseAmount, l).value_or(0);
    const Costs costs = tradeCosts(t);
    const double sold = saleAmountForGain(costs, quantity, bought, 0, false);
    const QString soldText = numberToText(sold, l);
    QString text =
        QStringLiteral("%1 + acquisto (%2) + vendita (%3)")
            .arg(t.purchaseAmount, commission(t.purchaseAmount, t, l), commission(soldText, t, l));
    if (costs.tax.applies)
        text +=
            QStringLiteral(" + imposta %1").arg(numberToText(transactionTax(costs.tax, bought), l));
    const QString exact = numberToText(sold / quantity, l);
    text += QStringLiteral(" = %1 ÷ %2 = %3").arg(soldText, t.quantity, exact);
    if (exact != value)
        text += QStringLiteral(" → %1 (per eccesso)").arg(value);
    return text;
}

} // namespace

QString figureText(Figure figure, const TradeTexts &t) {
    return figureSlot(t, figure);
}

QString spokenFigure(Figure figure, const TradeTexts &t) {
    const QString value = figureText(figure, t);
    if (value.isEmpty())
        return label(figure) + QStringLiteral(", nessun valore");
    return QStringLiteral("%1, %2 %3")
        .arg(label(figure), value, QString::fromUtf8(figureRow(figure).unit));
}

QString explanation(Figure figure, const TradeTexts &t, const QLocale &l) {
    const QString value = figureText(figure, t);
    if (value.isEmpty())
        return missing(figure, t, l);
    const TradeFigures &f = t.figures;
    const auto n = [&l](std::optional<double> v) { return numberToText(v.value_or(0), l); };
    switch (figure) {
    case Figure::PurchaseAmount:
        return QStringLiteral("%1 × %2 = %3").arg(t.price, t.quantity, value);
    case Figure::SaleAmount:
        return QStringLiteral("%1 × %2 = %3").arg(t.sale, t.quantity, value);
    case Figure::PdP:
        return breakEven(t, value, l);
    case Figure::SLP:
        return QStringLiteral("%1 − %1 × %2 % = %3 (arrotondato a 4 decimali)")
            .arg(t.price, n(f.settings[Setting::SLP]), value);
    case Figure::SLMM:
        if (textToNumber(t.purchaseAmount, l).value_or(0) <= f.settings[Setting::SLMM].value_or(0))
            return QStringLiteral("Importo %1 entro il budget di %2 €: anche una perdita totale "
                                  "vi rientra → 0\n%3")
                .arg(t.purchaseAmount, n(f.settings[Setting::SLMM]), lossAtBudgetStop(t, l));
        return QStringLiteral("(%1 − %2) ÷ %3 = %4 (arrotondato a 4 decimali)\n%5")
            .arg(t.purchaseAmount, n(f.settings[Setting::SLMM]), t.quantity, value,
                 lossAtBudgetStop(t, l));
    case Figure::Commissioni:
        return QStringLiteral("Acquisto %1 + vendita %2 = %3")
            .arg(commission(t.purchaseAmount, t, l), commission(t.saleAmount, t, l), value);
    case Figure::GP: {
        const QString tax = taxPart(t, l);
        if (tax.isEmpty())
            return QStringLiteral("%1 − %2 − %3 = %4 (arrotondato a 2 decimali)\n%5")
                .arg(t.saleAmount, t.purchaseAmount, t.captions[TradeTexts::Commissioni], value,
                     afterTaxLine(t, l));
        const double amount = textToNumber(t.purchaseAmount, l).value_or(0);
        return QStringLiteral("%1 − %2 − %3 − %4 = %5 (arrotondato a 2 decimali)\n%6\n%7")
            .arg(t.saleAmount, t.purchaseAmount, t.captions[TradeTexts::Commissioni],
                 numberToText(transactionTax(tradeCosts(t).tax, amount), l), value,
                 QStringLiteral("Imposta sulle transazioni ") + tax, afterTaxLine(t, l));
    }
    case Figure::PercentualeGP:
        return QStringLiteral("%1 × 100 ÷ %2 = %3 → %4 (per difetto)")
            .arg(t.captions[TradeTexts::GP], t.purchaseAmount, numberToText(f.percent, l), value);
    }
    return {};
}

QString allResults(const TradeTexts &t, const QLocale &l) {
    const TradeFigures &f = t.figures;
    // Every line says its unit: after the value, or in the label for a setting.
    QStringList lines{QStringLiteral("Quantità: ") + withUnit(t.quantity, "azioni"),
                      QStringLiteral("Prezzo di acquisto: ") + withUnit(t.price, "euro"),
                      QStringLiteral("Prezzo di vendita: ") + withUnit(t.sale, "euro")};
    for (const FigureRow &row : FigureRows)
        lines << QString::fromUtf8(row.label) + QStringLiteral(": ") +
                     withUnit(figureSlot(t, row.figure), row.unit);
    const std::optional<double> capitalGain = f.settings[Setting::CapitalGain];
    const QString rate =
        capitalGain ? QStringLiteral(" (%1 %)").arg(numberToText(*capitalGain, l)) : QString();
    lines << QStringLiteral("Guadagno netto dopo le imposte%1: %2")
                 .arg(rate, withUnit(t.afterTax, "euro"));
    // The costs as they were counted, part by part.
    const bool bought = !t.purchaseAmount.isEmpty(), sold = !t.saleAmount.isEmpty();
    lines << QStringLiteral("Commissione di acquisto: ") +
                 withUnit(bought ? commission(t.purchaseAmount, t, l) : QString(), "euro")
          << QStringLiteral("Commissione di vendita: ") +
                 withUnit(sold ? commission(t.saleAmount, t, l) : QString(), "euro");
    lines << QStringLiteral("Imposta sulle transazioni: ") +
                 (!t.transactionTax ? QStringLiteral("non applicata")
                                    : withUnit(bought ? taxPart(t, l) : QString(), "euro"));
    for (const SettingRow &row : SettingRows) {
        const std::optional<double> value = f.settings[row.setting];
        lines << QString::fromUtf8(row.listLabel) + QStringLiteral(": ") +
                     (value ? numberToText(*value, l) : QString());
    }
    return lines.join(u'\n') + u'\n';
}

} // namespace margino
