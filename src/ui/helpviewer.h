// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-in for the desktop help engine: finds a help file by name with its own search rules
// and shows it in a help window. What the file says is the help file's own business.

#include <QString>
#include <QStringList>

class QWidget;

namespace margino {

enum HelpCommand { HELP_CONTENTS = 3 };

// A name with a folder is used as given; a bare name is looked for in each folder in turn.
QString findHelpFile(const QString &name, const QStringList &folders);

// The engine's search rules: the program's folder first, then the installed data folders.
QStringList helpSearchFolders();

// Opens the help file at its contents topic, the top of the file: the one topic this engine
// knows, so every command shows it. A file that cannot be found or read gets the
// engine's own message; the result says whether the help window is showing.
bool WinHelp(QWidget *owner, const QString &helpFile, int command, quintptr data);

} // namespace margino
