// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a numeric field may hold and how a pasted text reads as a number, with the short Italian
// hints that say why a text is refused. The field applies these rules; windows never see them.

#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

namespace margino {

// The locale's grouping separator as one character; a null character where it has none.
QChar groupingSeparator(const QLocale &locale);

// Why a field with these limits may not hold the text, as a short hint; empty when it may:
// empty, or digits with at most one separator, at most intDigits before it and decDigits after
// it (none when decDigits is 0).
QString fieldRefusal(QStringView text, int intDigits, int decDigits, QChar separator);

// True when after is before with one stretch of characters taken out.
bool removesOnly(QStringView before, QStringView after);

// A pasted or dropped text as a field's text: blanks at the ends and a currency sign or "EUR"
// dropped, digits of any script made ASCII, the locale's grouping (or a space between digits)
// removed where it groups three digits before the separator, "," or "." read as the decimal
// separator where the locale does not group with it. Nothing, and the hint saying why, when the
// text holds no digit, groups otherwise ("12.5" is not 125 in Italian), holds a tab or a line
// break, or reads two ways ("1,234" where neither "," nor "." groups). What is left may still
// not fit a field.
std::optional<QString> cleanPastedNumber(const QString &text, const QLocale &locale,
                                         QString *hint = nullptr);

// The hint for a typed grouping character that was dropped, and for a paste that is no number.
QString groupingHint(const QLocale &locale, bool decimals);
// The hint for a typed grouping character first read as the separator, once it turned out
// to group thousands.
QString groupedHint(const QLocale &locale);
QString notANumberHint(const QString &pasted, const QLocale &locale);

} // namespace margino
