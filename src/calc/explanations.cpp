// SPDX-License-Identifier: GPL-3.0-or-later
#include "explanations.h"

#include "core/numbertext.h"

namespace margino {

namespace {

struct Naming {
    const char *label, *unit;
};

// In the order of Figure.
constexpr Naming Names[] = {
    {"Importo di acquisto", "euro"},
    {"Importo di vendita", "euro"},
    {"Punto di pareggio", "euro"},
    {"Stop loss percentuale", "euro"},
    {"Stop loss money management", "euro"},
    {"Guadagno", "euro"},
    {"% Guadagno", "per cento"},
    {"Commissioni", "euro"},
};

QString label(Figure figure) {
    return QString::fromUtf8(Names[int(figure)].label);
}

bool isSaleSide(Figure figure) {
    return figure == Figure::SaleAmount || figure == Figure::GP ||
           figure == Figure::PercentualeGP || figure == Figure::Commissioni;
}

// What keeps an input from giving a result, or nothing when it can.
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

QString missing(Figure figure, const TradeTexts &t, const QLocale &locale) {
    if (!t.purchaseProblem.isEmpty())
        return t.purchaseProblem;
    for (QString problem : {inputProblem(t.quantity, "la quantità", locale),
                            inputProblem(t.price, "il prezzo di acquisto", locale)})
        if (!problem.isEmpty())
            return problem;
    if (isSaleSide(figure)) {
        if (!t.saleProblem.isEmpty())
            return t.saleProblem;
        const QString problem = inputProblem(t.sale, "il prezzo di vendita", locale);
        if (!problem.isEmpty())
            return problem;
    }
    return QStringLiteral("Nessun risultato");
}

// "amount × rate ‰ = commission", and the minimum it was raised to when it was.
QString commission(const QString &amount, double raw, const TradeFigures &f, const QLocale &l) {
    QString text =
        QStringLiteral("%1 × %2 ‰ = %3")
            .arg(amount, numberToText(f.commissioni.value_or(0), l), numberToText(raw, l));
    if (raw < f.commissioniMin.value_or(0))
        text += QStringLiteral(" → minimo %1").arg(numberToText(*f.commissioniMin, l));
    return text;
}

QString afterTaxLine(const TradeTexts &t, const QLocale &l) {
    const QString rate = numberToText(t.figures.capitalGain.value_or(0), l);
    const QString gain = t.captions[TradeTexts::GP];
    const double value = textToNumber(gain, l).value_or(0);
    if (value > 0)
        return QStringLiteral("Netto dopo le imposte: %1 × (1 − %2 %) = %3")
            .arg(gain, rate, t.afterTax);
    if (value == 0)
        return QStringLiteral("Nessuna imposta (%1 %) senza guadagno: netto %2").arg(rate, gain);
    return QStringLiteral("Nessuna imposta (%1 %) su una perdita: netto %2. La perdita si può "
                          "compensare con plusvalenze future.")
        .arg(rate, gain);
}

} // namespace

QString figureText(Figure figure, const TradeTexts &t) {
    switch (figure) {
    case Figure::PurchaseAmount:
        return t.purchaseAmount;
    case Figure::SaleAmount:
        return t.saleAmount;
    case Figure::PdP:
        return t.captions[TradeTexts::PdP];
    case Figure::SLP:
        return t.captions[TradeTexts::SLP];
    case Figure::SLMM:
        return t.captions[TradeTexts::SLMM];
    case Figure::GP:
        return t.captions[TradeTexts::GP];
    case Figure::PercentualeGP:
        return t.captions[TradeTexts::PercentualeGP];
    case Figure::Commissioni:
        return t.captions[TradeTexts::Commissioni];
    }
    return {};
}

QString spokenFigure(Figure figure, const TradeTexts &t) {
    const QString value = figureText(figure, t);
    if (value.isEmpty())
        return label(figure) + QStringLiteral(", nessun valore");
    return QStringLiteral("%1, %2 %3")
        .arg(label(figure), value, QString::fromUtf8(Names[int(figure)].unit));
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
        return QStringLiteral("%1 + (%2) × 2 ÷ %3 = %4")
            .arg(t.price, commission(t.purchaseAmount, f.buying, f, l), t.quantity, value);
    case Figure::SLP:
        return QStringLiteral("%1 − %1 × %2 % = %3 (arrotondato a 4 decimali)")
            .arg(t.price, n(f.slp), value);
    case Figure::SLMM:
        if (textToNumber(t.purchaseAmount, l).value_or(0) <= f.slmm.value_or(0))
            return QStringLiteral("Importo %1 entro il budget di %2 €: anche una perdita totale "
                                  "vi rientra → 0")
                .arg(t.purchaseAmount, n(f.slmm));
        return QStringLiteral("(%1 − %2) ÷ %3 = %4 (arrotondato a 4 decimali)")
            .arg(t.purchaseAmount, n(f.slmm), t.quantity, value);
    case Figure::Commissioni:
        return QStringLiteral("Acquisto %1 + vendita %2 = %3")
            .arg(commission(t.purchaseAmount, f.buying, f, l),
                 commission(t.saleAmount, f.selling, f, l), value);
    case Figure::GP:
        return QStringLiteral("%1 − %2 − %3 = %4 (arrotondato a 2 decimali)\n%5")
            .arg(t.saleAmount, t.purchaseAmount, t.captions[TradeTexts::Commissioni], value,
                 afterTaxLine(t, l));
    case Figure::PercentualeGP:
        return QStringLiteral("%1 × 100 ÷ %2 = %3 → %4 (per difetto)")
            .arg(t.captions[TradeTexts::GP], t.purchaseAmount, numberToText(f.percent, l), value);
    }
    return {};
}

QString allResults(const TradeTexts &t, const QLocale &l) {
    const auto setting = [&l](std::optional<double> v) {
        return v ? numberToText(*v, l) : QString();
    };
    const TradeFigures &f = t.figures;
    QStringList lines{QStringLiteral("Quantità: ") + t.quantity,
                      QStringLiteral("Prezzo di acquisto: ") + t.price,
                      QStringLiteral("Prezzo di vendita: ") + t.sale};
    for (const Figure figure :
         {Figure::PurchaseAmount, Figure::SaleAmount, Figure::PdP, Figure::SLP, Figure::SLMM,
          Figure::GP, Figure::PercentualeGP, Figure::Commissioni})
        lines << label(figure) + QStringLiteral(": ") + figureText(figure, t);
    const QString rate =
        f.capitalGain ? QStringLiteral(" (%1 %)").arg(setting(f.capitalGain)) : QString();
    lines << QStringLiteral("Guadagno netto dopo le imposte%1: %2").arg(rate, t.afterTax)
          << QStringLiteral("Commissioni (‰): ") + setting(f.commissioni)
          << QStringLiteral("Commissioni minime (€): ") + setting(f.commissioniMin)
          << QStringLiteral("Capital gain (%): ") + setting(f.capitalGain)
          << QStringLiteral("M.M. stop loss (€): ") + setting(f.slmm)
          << QStringLiteral("Stop loss (%): ") + setting(f.slp);
    return lines.join(u'\n') + u'\n';
}

} // namespace margino
