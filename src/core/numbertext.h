// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers as the user sees them: text in a given locale, with no digit grouping.
// Every window and calculation converts through here; none parses or formats on its own.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <optional>

namespace margino {

// The accepted form: blanks, an optional sign, digits with at most one locale decimal
// separator (digits may stand on one side only: "12," and ",5"), an optional exponent, blanks.
// Grouping separators and the other locale's separator make the text not a number.
std::optional<double> textToNumber(const QString &text, const QLocale &locale);

// The locale's decimal separator as one character ("." where the locale has a longer one).
QChar decimalSeparator(const QLocale &locale);

// True exactly when textToNumber accepts the text; the empty text is not numeric.
bool isNumeric(const QString &text, const QLocale &locale);

// printf's %.15G with the locale's separator: 15 significant digits, no trailing zeros,
// exponent form as 1E+15 or 1,5E-05; zero, negative zero included, is "0". Fewer digits
// (1 to 15) give the same form rounded to them, in exponent form once the integer digits
// no longer fit.
QString numberToText(double value, const QLocale &locale, int significantDigits = 15);

// An amount of money as money in the locale's form, to the cent: "2.131,50 €" in Italian,
// "€2,131.50" in English. The value is rounded with roundTo first.
QString moneyText(double value, const QLocale &locale);

// The shorter forms of a number text, for a place too narrow for it: the same conversion at
// 14 significant digits down to 1, each form once, longest first. A text that is not a number
// in the locale has none.
QStringList shorterForms(const QString &text, const QLocale &locale);

// Scale by 10^decimals, nearest integer with exact halves to even, scale back.
double roundTo(double value, int decimals);

} // namespace margino
