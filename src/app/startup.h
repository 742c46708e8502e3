// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start procedure: finds the settings file (beside the program, else the user's copy),
// opens it once for the whole run, and shows the main window until it closes.

#include <QString>

class QApplication;

namespace margino {

// Returns the process's exit status: the event loop's, or non-zero after the fatal error
// report when the settings file cannot be found or opened (no window is shown then).
int Main(QApplication &app, const QString &programFolder);

} // namespace margino
