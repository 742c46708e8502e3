// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The run-time error report: a message box with the error's number and description.
// Deciding what is fatal, and ending the program, is the caller's business.

#include <QString>

class QWidget;

namespace margino {

class RuntimeError;

inline constexpr char ErrorReportTitle[] = "Margino - Errore di run-time";

// Shows the report modally and also writes it to standard error, so a terminal keeps it.
// The text leads with the error's Italian summary when it has one.
void showErrorReport(QWidget *parent, const RuntimeError &error, const QString &detail = {});
void showErrorReport(QWidget *parent, int number, const QString &description,
                     const QString &detail = {});

} // namespace margino
