// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes the trades of a view to a file for a spreadsheet: CSV as Italian spreadsheets read it,
// or an .xlsx workbook with numbers as numbers. Runs on any thread with its own connection.

#include "journal/journalfile.h"

#include <functional>

namespace margino {

enum class ExportFormat { Csv, Xlsx };

// The format the name asks for: ".xlsx" (any case) is a workbook, anything else CSV.
ExportFormat exportFormatOf(const QString &fileName);

// Called every few hundred trades with how many are written; returning false stops the
// export, which then leaves no file behind.
using ExportProgress = std::function<bool(int written)>;

// Writes the view's trades of the journal file to target, whole or not at all (a temporary
// file renamed into place). Returns false when stopped; a failure is a JournalError.
bool exportJournal(const QString &journalFile, const JournalView &view, const QString &target,
                   const ExportProgress &progress = {});

// The CSV's pieces, for readers that check them: one field, and the header row.
QString csvField(const QString &text);
QString csvNumber(const QString &decimal);

} // namespace margino
