// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A trade in the journal's columns and back, and the statements that select and insert trades;
// the file, its connection and its transactions are the journal file's.

#include "journal/statement.h"
#include "journal/trade.h"

#include <QByteArray>

namespace margino {

// Binds every column of schema::Columns but the id, which is parameter 1.
void bindTrade(Statement &statement, const Trade &trade);
// The trade of the current row of a statement selecting schema::Columns.
Trade readTrade(const Statement &statement);
// SELECT columns of the view's trades in its order; the year, when one, is parameter 1.
QByteArray selectSql(const QByteArray &columns, const JournalView &view);
// INSERT of every column, each a parameter in the order of schema::Columns.
QByteArray insertSql();

} // namespace margino
