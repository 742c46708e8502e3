// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds the system-information tool through two registry entries and starts it, or says that
// it can't. Where the entries come from, and how a program starts, is the platform's business.

#include "platform/registry.h"

#include <QString>

namespace margino {

inline constexpr char SystemInfoUnavailable[] = "System Information Is Unavailable At This Time";

// The fixed name appended to the folder of the "MSINFO" entry.
inline constexpr char ToolFileName[] = "/margino-sysinfo";

// The size of the buffer a value is read into, in bytes.
inline constexpr int ValueBufferSize = 1024;

// What the launcher needs from the platform.
class SystemInfoPlatform {
public:
    virtual ~SystemInfoPlatform() = default;
    virtual RegistryStore &registry() = 0;
    // True for a plain file; folders and hidden files don't count.
    virtual bool fileExists(const QString &path) = 0;
    // Starts the program without waiting for it; false when it could not be started.
    virtual bool startProgram(const QString &path) = 0;
    // A message box with an OK button only.
    virtual void showMessage(const QString &text) = 0;
};

// Reads one value of keyPath as text into value and says whether the key opened and the value
// was read. Text values (REG_SZ) lose one terminating NUL; a REG_DWORD reads as "&h" and its
// hexadecimal digits; any other type leaves value as passed. A failed open or read empties it.
// A value of length 0 throws std::runtime_error.
bool ReadRegistryValue(RegistryStore &registry, HKEY root, const QString &keyPath,
                       const QString &valueName, QString &value);

// Starts the tool the "PATH" entry names as it stands; failing that entry, the program
// ToolFileName in the folder the "MSINFO" entry names, if it is there. Any failure on the way
// ends in the one message SystemInfoUnavailable.
void LaunchSystemInfo(SystemInfoPlatform &platform);

} // namespace margino
