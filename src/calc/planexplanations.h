// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A trade plan's answers put into words: what each shows, how a screen reader says it, and how
// it was obtained with the numbers used. Showing them is the window's.

#include "calc/tradeplan.h"

#include <QLocale>
#include <QString>

namespace margino {

enum class Answer {
    Quantity,
    PurchaseAmount,
    PurchaseCosts,
    LossAtStop,
    TargetPrice,
    Gain,
    AfterTax,
    RewardRisk,
    BreakEven,
};
constexpr int AnswerCount = int(Answer::BreakEven) + 1;

// The answer's label, as shown beside it ("Prezzo obiettivo").
QString answerLabel(Answer answer);

// What the answer shows: money as money ("2.131,50 €"), prices to 4 decimals ("12,5"), the
// ratio with 2 ("1,75"); empty when the plan has no such answer.
QString answerText(Answer answer, const TradePlan &plan, const QLocale &locale);

// As a screen reader says it: "Quantità, 120 azioni", "Prezzo obiettivo, 12,5 euro".
QString spokenAnswer(Answer answer, const TradePlan &plan, const QLocale &locale);

// How it was obtained, or for an empty answer what is missing.
QString answerExplanation(Answer answer, const TradePlan &plan, const Costs &costs,
                          const QLocale &locale);

// One "Label: value" line per answer.
QString allAnswers(const TradePlan &plan, const QLocale &locale);

} // namespace margino
