// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the journal file lives: beside the settings file when that is beside the program (a
// portable folder carries its journal), else in the user's data folder. Opening it is not here.

#include <QString>

namespace margino {

inline constexpr char JournalFileName[] = "Registro.sqlite";

// programFolder holding the settings file: programFolder/Registro.sqlite; otherwise
// dataFolder/Registro.sqlite, dataFolder defaulting to $XDG_DATA_HOME/Margino.
QString journalFilePath(const QString &programFolder, const QString &dataFolder = {});

} // namespace margino
