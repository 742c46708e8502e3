// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The shape of the system registry the system-information launcher reads: keys opened under a
// root with an access mask, typed values read into a caller's buffer. Stores answer behind it.

#include <QByteArray>
#include <QString>

namespace margino {

using HKEY = quint32;

inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002;

// Query value, enumerate sub-keys, notify, read control: everything that only reads.
inline constexpr quint32 KEY_READ = 0x20019;

inline constexpr quint32 REG_SZ = 1;
inline constexpr quint32 REG_EXPAND_SZ = 2;
inline constexpr quint32 REG_DWORD = 4;

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_ACCESS_DENIED = 5;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_MORE_DATA = 234;

// The two shared-tools entries that say where the system-information tool lives.
inline constexpr char SystemInfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char SystemInfoValue[] = "PATH";
inline constexpr char ToolsLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char ToolsLocationValue[] = "MSINFO";

class RegistryStore {
public:
    virtual ~RegistryStore() = default;

    // Opens keyPath under root asking for the access rights in access; key receives the handle.
    virtual long openKey(HKEY root, const QString &keyPath, quint32 access, HKEY &key) = 0;

    // Copies the value's data into buffer, whose size is what the caller can take, and sets type
    // and length (in bytes). A value longer than the buffer gives ERROR_MORE_DATA, copying
    // nothing and setting length to the size needed.
    virtual long queryValue(HKEY key, const QString &valueName, quint32 &type, QByteArray &buffer,
                            quint32 &length) = 0;

    virtual long closeKey(HKEY key) = 0;
};

} // namespace margino
