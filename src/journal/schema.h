// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The journal's tables, version by version: a new file is made at version 1 and brought up
// step by step, as an old file is, so every step runs for everyone. Texts are the record; the
// cents columns are the sums' exact copies and the rest follows from the texts.

namespace margino::schema {

// The statements that bring a file from version (index) to version (index + 1).
inline constexpr const char *Steps[] = {
    // 1: the trade with the settings of the day: commission rate, minimum, capital gain.
    "CREATE TABLE Operazioni ("
    " id INTEGER PRIMARY KEY,"
    " saved_at TEXT NOT NULL," // local time, yyyy-MM-ddTHH:mm:ss
    " year INTEGER NOT NULL,"
    " quantity TEXT NOT NULL, purchase_price TEXT NOT NULL, sale_price TEXT NOT NULL,"
    " purchase_amount TEXT NOT NULL, sale_amount TEXT NOT NULL,"
    " break_even TEXT NOT NULL, stop_percent TEXT NOT NULL, stop_money TEXT NOT NULL,"
    " commissions TEXT NOT NULL, gain TEXT NOT NULL, gain_percent TEXT NOT NULL,"
    " gain_after_tax TEXT NOT NULL,"
    " rate TEXT NOT NULL, minimum TEXT NOT NULL, capital_gain TEXT NOT NULL,"
    " note TEXT NOT NULL DEFAULT '',"
    " gain_cents INTEGER, after_tax_cents INTEGER, commissions_cents INTEGER);"
    "CREATE INDEX Operazioni_year ON Operazioni(year, saved_at);"
    "PRAGMA user_version = 1;",
    // 2: the whole tariff and the transaction tax; trades saved before had neither (zero).
    "ALTER TABLE Operazioni ADD COLUMN maximum TEXT NOT NULL DEFAULT '0';"
    "ALTER TABLE Operazioni ADD COLUMN maximum_percent TEXT NOT NULL DEFAULT '0';"
    "ALTER TABLE Operazioni ADD COLUMN fixed TEXT NOT NULL DEFAULT '0';"
    "ALTER TABLE Operazioni ADD COLUMN per_share TEXT NOT NULL DEFAULT '0';"
    "ALTER TABLE Operazioni ADD COLUMN tax_rate TEXT NOT NULL DEFAULT '0';"
    "ALTER TABLE Operazioni ADD COLUMN tax_applied INTEGER NOT NULL DEFAULT 0;"
    "ALTER TABLE Operazioni ADD COLUMN transaction_tax TEXT NOT NULL DEFAULT '0';"
    "ALTER TABLE Operazioni ADD COLUMN tax_cents INTEGER NOT NULL DEFAULT 0;"
    "CREATE INDEX Operazioni_saved ON Operazioni(saved_at);"
    // The year totals read this index alone, never the rows.
    "CREATE INDEX Operazioni_totals"
    " ON Operazioni(year, gain_cents, after_tax_cents, commissions_cents, tax_cents);"
    "PRAGMA user_version = 2;",
};

// Every column of a trade, in the order Trade is read and written.
inline constexpr const char Columns[] =
    "id, saved_at, year, quantity, purchase_price, sale_price, purchase_amount, sale_amount,"
    " break_even, stop_percent, stop_money, commissions, gain, gain_percent, gain_after_tax,"
    " rate, minimum, capital_gain, note, gain_cents, after_tax_cents, commissions_cents,"
    " maximum, maximum_percent, fixed, per_share, tax_rate, tax_applied, transaction_tax,"
    " tax_cents";
inline constexpr int ColumnCount = 30;

} // namespace margino::schema
