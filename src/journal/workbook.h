// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The .xlsx workbook writer, a module of its own (margino_xlsx, linking libxlsxwriter) loaded
// at the first export to .xlsx: that library and the compression and crypto ones it pulls in
// cost the program's start nothing. Choosing the file and reading the journal are the caller's.

#include "journal/trade.h"

#include <QStringList>
#include <functional>

namespace margino {

// Hands each trade to `write`, in order, until `write` returns false.
using TradeSource = std::function<void(const std::function<bool(const Trade &)> &write)>;

enum class WorkbookOutcome { Written, Stopped, Failed };

// A trade's number columns, in the order both exports write them after the date.
inline QList<const QString *> exportedNumbers(const Trade &t) {
    return {&t.quantity,    &t.purchasePrice,  &t.salePrice, &t.purchaseAmount, &t.saleAmount,
            &t.commissions, &t.transactionTax, &t.gain,      &t.gainAfterTax};
}

} // namespace margino

// The module's one entry point: one sheet with the titles in bold, then a row a trade. Progress
// is told every few hundred rows and may stop the writing; a failure says why in `problem`.
extern "C" using MarginoWriteWorkbook = margino::WorkbookOutcome(
    const QString &fileName, const QStringList &titles, const margino::TradeSource &trades,
    const std::function<bool(int written)> &progress, QString &problem);
