// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds the settings file: beside the program (a portable folder), else the user's own copy,
// made from the installed template at the first start. Opening it is the engine's business.

#include "core/errors.h"

#include <QStringList>
#include <functional>

namespace margino {

// No file anywhere, or no way to make the user's copy; the detail names the places involved.
class SettingsFileError : public RuntimeError {
public:
    SettingsFileError(int number, const QString &description, const QString &summary,
                      const QString &detail)
        : RuntimeError(number, description, summary), detail_(detail) {}
    QString detail() const { return detail_; }

private:
    QString detail_;
};

// The places are arguments so that they can be any folders. The user's copy is written to a
// temporary name in its folder (mode 600) and renamed into place, so a half-copied file is never
// opened; the rename never replaces nor follows what holds the name, and when another start
// put its copy there first, that copy is used.
QString locateSettingsFile(const QString &programFolder, const QString &userFolder,
                           const QStringList &templateFolders);

// Run, when set, between the user's copy being written and its rename into place: where tests
// let another start take the name.
extern std::function<void()> beforePlacingCopy;

// $XDG_CONFIG_HOME/Margino; a relative $XDG_CONFIG_HOME is ignored.
QString userSettingsFolder();
// The installed data folders: "margino" in each absolute XDG data folder, then in the share folder
// of the prefix the program runs from, so that any installation prefix finds its own files.
QStringList installedDataFolders(const QString &programFolder);

} // namespace margino
