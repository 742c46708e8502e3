// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings: as the settings window edits them (locale text, written back in one
// transaction) and as the calculations read them (checked numbers), each from its row.

#include "store/settingrows.h"

#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

namespace margino {

class Database;

// Every setting as locale text, by row.
using ParameterTexts = BySetting<QString>;

// Queries System, then Settaggi, then the tariff's table when the file has it, and turns each
// value of their first rows into locale text; a file without that table gives its rows'
// shipped values. A missing row or value is a DbError.
ParameterTexts readParameters(Database &db, const QLocale &locale);

// The settings the calculations use, as numbers from the first row of each table. Each value is
// checked by settingProblem (present, a number, finite, from 0 to its row's highest); one that
// fails is a RuntimeError whose description names the table and the field, with an Italian
// summary.
struct SystemValues {
    double commissioni, commissioniMin;
};
struct SettaggiValues {
    double capitalGain, slp, slmm;
};
struct TariffValues {
    double maximum, maximumPercent, fixed, perShare, transactionTax;
};
SystemValues readSystem(Database &db, QStringView select);
SettaggiValues readSettaggi(Database &db);
// From a file without the tariff's table, the shipped values: no tariff beyond rate and
// minimum, so every figure is what it was before the table.
TariffValues readTariff(Database &db);

// Runs the Settaggi update, then the System update, then the tariff's (creating its table and
// row when the file has none), with the texts as written in locale, in one transaction that
// first reads the file again: unless it still holds `expected` (as readParameters gives it),
// nothing is written and what it holds is returned. When the engine refuses any step, nothing
// is written and the DbError reaches the caller.
std::optional<ParameterTexts> writeParameters(Database &db, const ParameterTexts &texts,
                                              const ParameterTexts &expected,
                                              const QLocale &locale);

} // namespace margino
