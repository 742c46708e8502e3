// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a start needs before any window: Qt's own catalogue for the user's locale, and the
// answer to a command line. The program's own texts are Italian and are not translated.

class QCoreApplication;

namespace margino {

// Qt's standard texts (buttons, a text field's context menu, the command line's help) in the
// user's language, when Qt ships a catalogue for it. Installed once per process.
void installQtCatalogue(QCoreApplication &app);

// --help and --version print and return 0; the program takes no other argument, so anything
// else is reported on standard error and returns 1. Needs no display.
int answerCommandLine(QCoreApplication &app);

} // namespace margino
