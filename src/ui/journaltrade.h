// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's trade as the journal keeps it and back: texts in the locale become decimal
// texts with a point, and the costs used are recorded beside them. Storing them is the journal's.

#include "calc/tradetexts.h"
#include "journal/trade.h"

#include <QLocale>
#include <optional>

namespace margino {

// Why these texts cannot be saved (blank or refused inputs, a side without results); none
// when they can. A trade without a sale price is saved open.
std::optional<QString> whyNotSavable(const TradeTexts &texts);

Trade tradeFromTexts(const TradeTexts &texts, const QLocale &locale, const QDateTime &when);

// A decimal text with a point as a field of the locale shows it.
QString fieldText(const QString &decimal, const QLocale &locale);

// The names of the figures whose texts now differ from the saved ones ("Commissioni, Guadagno").
QStringList changedFigures(const Trade &saved, const TradeTexts &now, const QLocale &locale);

} // namespace margino
