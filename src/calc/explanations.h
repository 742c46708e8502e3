// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The results put into words: each figure's name, how it was obtained with the numbers the
// calculation used, and the whole trade as plain text. Showing and copying them is the window's.

#include "calc/figures.h"
#include "calc/tradetexts.h"

#include <QLocale>
#include <QString>

namespace margino {

// The figure's full text as the calculation wrote it; empty when blank.
QString figureText(Figure figure, const TradeTexts &texts);

// The figure as a screen reader says it: "Punto di pareggio, 10,059 euro".
QString spokenFigure(Figure figure, const TradeTexts &texts);

// How the figure was obtained, with the actual numbers and settings; for a blank figure, what
// is missing. The gain's explanation adds the gain after tax.
QString explanation(Figure figure, const TradeTexts &texts, const QLocale &locale);

// What keeps an input text from giving a result ("Inserisci il prezzo di acquisto", "... non è
// un numero", "... maggiore di zero"), or nothing when it can; `what` names it with its article.
QString inputProblem(const QString &text, const char *what, const QLocale &locale);

// One "Label: value" line each: the three inputs, both amounts, the six results, the gain after
// tax, each cost part (both commissions, the transaction tax), every setting used. A blank
// figure has an empty value.
QString allResults(const TradeTexts &texts, const QLocale &locale);

} // namespace margino
