// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Margino's optional parts (the plan chart, the .xlsx writer) are modules loaded at their first
// use, so the libraries they need cost the program's start nothing. Where a module is looked
// for is decided here; what it does is its caller's business.

#include <QFunctionPointer>
#include <QString>

namespace margino {

// The entry point `symbol` of the module file `fileName` (e.g. "libmargino_chart.so"), looked
// for beside the program, then in the installed modules folder, then where the system loader
// looks; null, with the loader's reason in `problem`, when no place has it.
QFunctionPointer moduleEntry(const QString &fileName, const char *symbol, QString &problem);

} // namespace margino
