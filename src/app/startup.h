#pragma once
// The start procedure: opens the settings file beside the program once, for the whole run,
// and shows the main window until it closes. It owns no other state.

#include <QString>

class QApplication;

namespace margino {

// Returns the process's exit status: the event loop's, or non-zero after the fatal error
// report when the settings file cannot be opened (no window is shown then).
int Main(QApplication &app, const QString &programFolder);

} // namespace margino
