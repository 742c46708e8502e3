// SPDX-License-Identifier: GPL-3.0-or-later
#include "planexplanations.h"

#include "core/numbertext.h"

namespace margino {

namespace {

enum class Kind { Count, Money, Price, Ratio };

struct Naming {
    const char *label;
    Kind kind;
};

// In the order of Answer.
constexpr Naming Names[] = {
    {"Quantità", Kind::Count},
    {"Importo di acquisto", Kind::Money},
    {"Costi di acquisto", Kind::Money},
    {"Perdita allo stop", Kind::Money},
    {"Prezzo obiettivo", Kind::Price},
    {"Guadagno netto all'obiettivo", Kind::Money},
    {"Guadagno dopo le imposte", Kind::Money},
    {"Rendimento/rischio", Kind::Ratio},
    {"Punto di pareggio", Kind::Price},
};

bool isTargetSide(Answer a) {
    return a == Answer::TargetPrice || a == Answer::Gain || a == Answer::AfterTax ||
           a == Answer::RewardRisk;
}

double value(Answer a, const TradePlan &p) {
    switch (a) {
    case Answer::Quantity:
        return double(p.quantity);
    case Answer::PurchaseAmount:
        return p.costs.amount;
    case Answer::PurchaseCosts:
        return p.costs.buying + p.costs.tax;
    case Answer::LossAtStop:
        return p.costs.lossAtStop;
    case Answer::TargetPrice:
        return p.target;
    case Answer::Gain:
        return p.gain;
    case Answer::AfterTax:
        return p.afterTax;
    case Answer::RewardRisk:
        return p.rewardRisk;
    case Answer::BreakEven:
        return p.breakEven;
    }
    return 0;
}

} // namespace

QString answerLabel(Answer a) {
    return QString::fromUtf8(Names[int(a)].label);
}

QString answerText(Answer a, const TradePlan &p, const QLocale &l) {
    if (p.quantity == 0 || (isTargetSide(a) && !p.hasTarget))
        return {};
    const double v = value(a, p);
    switch (Names[int(a)].kind) {
    case Kind::Count:
        return QString::number(p.quantity);
    case Kind::Money:
        return moneyText(v, l);
    case Kind::Price:
        return numberToText(roundTo(v, 4), l);
    case Kind::Ratio:
        return l.toString(v, 'f', 2);
    }
    return {};
}

QString spokenAnswer(Answer a, const TradePlan &p, const QLocale &l) {
    const QString text = answerText(a, p, l);
    if (text.isEmpty())
        return answerLabel(a) + QStringLiteral(", nessun valore");
    switch (Names[int(a)].kind) {
    case Kind::Count:
        return QStringLiteral("%1, %2 azioni").arg(answerLabel(a), text);
    case Kind::Money:
        return QStringLiteral("%1, %2 euro")
            .arg(answerLabel(a), l.toString(roundTo(value(a, p), 2), 'f', 2));
    case Kind::Price:
        return QStringLiteral("%1, %2 euro").arg(answerLabel(a), text);
    case Kind::Ratio:
        return QStringLiteral("%1, %2").arg(answerLabel(a), text);
    }
    return {};
}

QString answerExplanation(Answer a, const TradePlan &p, const Costs &c, const QLocale &l) {
    const QString shown = answerText(a, p, l);
    if (shown.isEmpty())
        return p.refusal.isEmpty() ? QStringLiteral("Nessun risultato") : p.refusal;
    const auto m = [&l](double v) { return moneyText(v, l); };
    const auto n = [&l](double v) { return numberToText(v, l); };
    const QString q = QString::number(p.quantity);
    switch (a) {
    case Answer::Quantity: {
        if (p.ownQuantity)
            return QStringLiteral("La quantità della finestra principale: allo stop di %1 "
                                  "perde %2, costi compresi")
                .arg(n(p.stop), m(p.costs.lossAtStop));
        QString text = QStringLiteral("La quantità più grande che allo stop di %1 perde al "
                                      "massimo %2, costi compresi: %3 azioni perdono %4")
                           .arg(n(p.stop), m(p.budget), q, m(p.costs.lossAtStop));
        if (p.capital)
            text +=
                QStringLiteral(" e costano %1 (capitale %2)").arg(m(p.costs.outlay), m(*p.capital));
        return text;
    }
    case Answer::PurchaseAmount:
        return QStringLiteral("%1 × %2 = %3").arg(n(p.price), q, shown);
    case Answer::PurchaseCosts:
        return QStringLiteral("Commissione %1 + imposta sulle transazioni %2 (%3 %) = %4")
            .arg(m(p.costs.buying), m(p.costs.tax), n(c.tax.applies ? c.tax.ratePercent : 0),
                 shown);
    case Answer::LossAtStop:
        return QStringLiteral("(%1 − %2) × %3 + commissioni %4 + %5 + imposta %6 = %7")
            .arg(n(p.price), n(p.stop), q, m(p.costs.buying), m(p.costs.selling), m(p.costs.tax),
                 shown);
    case Answer::TargetPrice:
        if (!p.gainTarget)
            return QStringLiteral("Il prezzo di vendita inserito");
        return QStringLiteral("Il prezzo più basso, a 4 decimali, con un guadagno netto%1 di "
                              "almeno %2: a %3 è %4, a %5 sarebbe %6")
            .arg(p.targetAfterTax ? QStringLiteral(" dopo le imposte") : QString(),
                 m(*p.gainTarget), shown, m(p.targetAfterTax ? p.afterTax : p.gain),
                 n(roundTo(p.target - 0.0001, 4)), m(p.belowTarget.value_or(0)));
    case Answer::Gain:
        return QStringLiteral("%1 × %2 − %3 − commissioni %4 + %5 − imposta %6 = %7")
            .arg(n(p.target), q, m(p.costs.amount), m(p.costs.buying), m(p.selling), m(p.costs.tax),
                 shown);
    case Answer::AfterTax:
        if (p.afterTax == p.gain)
            return QStringLiteral("Nessuna imposta (%1 %) senza un guadagno tassabile: %2")
                .arg(n(c.capitalGainPercent), shown);
        return QStringLiteral("%1 − imposta sul capital gain (%2 %) %3 = %4")
            .arg(m(p.gain), n(c.capitalGainPercent), m(p.gain - p.afterTax), shown);
    case Answer::RewardRisk:
        return QStringLiteral("Guadagno netto all'obiettivo %1 ÷ perdita allo stop %2 = %3 "
                              "(entrambi dopo i costi, a 2 decimali)")
            .arg(m(p.gain), m(p.costs.lossAtStop), shown);
    case Answer::BreakEven:
        return QStringLiteral("Il prezzo più basso, a 4 decimali, senza perdita dopo i costi: "
                              "a %1 il guadagno netto è %2, a %3 sarebbe %4")
            .arg(shown, m(p.breakEvenGain), n(roundTo(p.breakEven - 0.0001, 4)),
                 m(p.belowBreakEven.value_or(0)));
    }
    return {};
}

QString allAnswers(const TradePlan &p, const QLocale &l) {
    QStringList lines;
    for (int i = 0; i < AnswerCount; ++i)
        lines << answerLabel(Answer(i)) + QStringLiteral(": ") + answerText(Answer(i), p, l);
    return lines.join(u'\n') + u'\n';
}

} // namespace margino
