// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// This platform has no registry: the stand-in answers the two shared-tools entries from the
// desktop (see SystemInfoTools) and knows no other key. Reading them is the launcher's business.

#include "platform/registry.h"

#include <QStringList>
#include <utility>

namespace margino {

// Where the desktop's system-information tool is looked for.
//  - The "PATH" entry names the first of `programs` found in the absolute `searchPath` folders,
//    by its full path: a system-information program the user has installed. No program, no
//    value. Relative folders, such as ".", are skipped: they name the current folder.
//  - The "MSINFO" entry names `toolsFolder`, in which the launcher looks for its fixed program
//    name: a link or script the user or a packager puts there picks any other tool.
struct SystemInfoTools {
    QStringList programs;
    QStringList searchPath;
    QString toolsFolder;

    // Known graphical tools in order of preference (KDE's Info Center, HardInfo, GNOME's
    // System Monitor) on the folders of $PATH; the tools folder is the program's own folder,
    // where its settings file and help file live too.
    static SystemInfoTools fromEnvironment();
};

class LinuxRegistry final : public RegistryStore {
public:
    explicit LinuxRegistry(SystemInfoTools tools) : tools_(std::move(tools)) {}

    // The machine's entries belong to the administrator: a request for any right beyond
    // KEY_READ is refused with ERROR_ACCESS_DENIED, as it is for an ordinary user.
    long openKey(HKEY root, const QString &keyPath, quint32 access, HKEY &key) override;
    // Text values come as REG_SZ in the local 8-bit encoding with their terminating NUL, as
    // the registry keeps them.
    long queryValue(HKEY key, const QString &valueName, quint32 &type, QByteArray &buffer,
                    quint32 &length) override;
    long closeKey(HKEY key) override;

private:
    enum Key : HKEY { NoKey, SystemInfo, ToolsLocation };
    QString findProgram() const;

    SystemInfoTools tools_;
};

} // namespace margino
