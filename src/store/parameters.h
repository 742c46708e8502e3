#pragma once
// The five settings as the settings window edits them: read from both tables as locale text,
// written back by the two updates in one transaction. Judging the texts is the caller's part.

#include <QLocale>
#include <QString>

namespace margino {

class Database;

struct ParameterTexts {
    QString capitalGain, slmm, slp;      // Settaggi
    QString commissioniMin, commissioni; // System
};

// Queries System, then Settaggi, and turns each value of their first rows into locale text.
// A missing row or value is a DbError.
ParameterTexts readParameters(Database &db, const QLocale &locale);

// Runs the Settaggi update, then the System update: both take effect or, when the engine
// refuses either, neither does and the DbError reaches the caller.
void writeParameters(Database &db, const ParameterTexts &texts);

} // namespace margino
