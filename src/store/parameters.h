// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five settings: as the settings window edits them (locale text, written back by the two
// updates in one transaction) and as the calculations read them (checked numbers).

#include <QLocale>
#include <QString>
#include <QStringView>
#include <optional>

namespace margino {

class Database;

struct ParameterTexts {
    QString capitalGain, slmm, slp;      // Settaggi
    QString commissioniMin, commissioni; // System
    bool operator==(const ParameterTexts &) const = default;
};

// Queries System, then Settaggi, and turns each value of their first rows into locale text.
// A missing row or value is a DbError.
ParameterTexts readParameters(Database &db, const QLocale &locale);

// The settings the calculations use, as numbers from the first row of each table. Each value is
// checked: present, a number, finite and not negative; one that fails is a RuntimeError whose
// description names the table and the field, with an Italian summary.
struct SystemValues {
    double commissioni, commissioniMin;
};
struct SettaggiValues {
    double capitalGain, slp, slmm;
};
SystemValues readSystem(Database &db, QStringView select);
SettaggiValues readSettaggi(Database &db);

// Runs the Settaggi update, then the System update, with the texts as written in locale, in one
// transaction that first reads the file again: unless it still holds `expected` (as
// readParameters gives it), nothing is written and what it holds is returned. When the engine
// refuses any step, nothing is written and the DbError reaches the caller.
std::optional<ParameterTexts> writeParameters(Database &db, const ParameterTexts &texts,
                                              const ParameterTexts &expected,
                                              const QLocale &locale);

} // namespace margino
