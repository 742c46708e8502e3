// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decimal texts with a point ("-12.345", "1.9E+11") turned into exact whole cents, and cents
// back into text; the journal's sums and sort keys come from here, never from a double.

#include <QString>
#include <QStringView>
#include <optional>

namespace margino {

// The text's value in cents, rounded half away from zero from its exact decimal digits; none
// for an empty or malformed text or one beyond 18 digits of cents.
std::optional<qint64> toCents(QStringView text);

// "-1234.50": the cents as a decimal text with a point and two decimals.
QString centsToText(qint64 cents);

} // namespace margino
