// SPDX-License-Identifier: GPL-3.0-or-later
#include "modsysteminfo.h"

#include <stdexcept>

namespace margino {

namespace {

// Closes the key on every way out of the read, a run-time error's included.
class OpenKey {
public:
    OpenKey(RegistryStore &registry, HKEY key) : registry_(registry), key_(key) {}
    ~OpenKey() { registry_.closeKey(key_); }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

private:
    RegistryStore &registry_;
    HKEY key_;
};

// Little-endian, as the registry keeps a DWORD.
QString dwordText(const QByteArray &data) {
    quint32 number = 0;
    for (int i = 0; i < data.size() && i < 4; ++i)
        number |= quint32(quint8(data[i])) << (8 * i);
    return QStringLiteral("&h") + QString::number(number, 16).toUpper();
}

} // namespace

bool ReadRegistryValue(RegistryStore &registry, HKEY root, const QString &keyPath,
                       const QString &valueName, QString &value) {
    // Read rights only: a user who may not change the machine's entries can still read them.
    HKEY key = 0;
    if (registry.openKey(root, keyPath, KEY_READ, key) != ERROR_SUCCESS) {
        value.clear();
        return false;
    }
    const OpenKey open(registry, key);
    QByteArray buffer(ValueBufferSize, '\0');
    quint32 type = 0, length = ValueBufferSize;
    if (registry.queryValue(key, valueName, type, buffer, length) != ERROR_SUCCESS) {
        value.clear();
        return false;
    }
    if (length == 0)
        throw std::runtime_error("registry value of length 0");

    // Bytes, not characters: the terminating NUL is one byte whatever the encoding.
    const bool terminated = length <= quint32(buffer.size()) && buffer[length - 1] == '\0';
    const QByteArray data = buffer.left(int(terminated ? length - 1 : length));
    if (type == REG_SZ)
        value = QString::fromLocal8Bit(data);
    else if (type == REG_DWORD)
        value = dwordText(data);
    return true;
}

void LaunchSystemInfo(SystemInfoPlatform &platform) {
    try {
        RegistryStore &registry = platform.registry();
        QString path;
        if (ReadRegistryValue(registry, HKEY_LOCAL_MACHINE, QLatin1String(SystemInfoKey),
                              QLatin1String(SystemInfoValue), path)) {
            // As it stands: a value naming no program fails to start and gets the message.
            if (platform.startProgram(path))
                return;
        } else if (QString folder;
                   ReadRegistryValue(registry, HKEY_LOCAL_MACHINE, QLatin1String(ToolsLocationKey),
                                     QLatin1String(ToolsLocationValue), folder)) {
            const QString program = folder + QLatin1String(ToolFileName);
            if (platform.fileExists(program) && platform.startProgram(program))
                return;
        }
    } catch (...) {
        // Whatever went wrong, the user hears the one message below.
    }
    platform.showMessage(QString::fromLatin1(SystemInfoUnavailable));
}

} // namespace margino
