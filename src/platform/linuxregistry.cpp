// SPDX-License-Identifier: GPL-3.0-or-later
#include "linuxregistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace margino {

SystemInfoTools SystemInfoTools::fromEnvironment() {
    return {{QStringLiteral("kinfocenter"), QStringLiteral("hardinfo"),
             QStringLiteral("gnome-system-monitor")},
            qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts),
            QCoreApplication::applicationDirPath()};
}

long LinuxRegistry::openKey(HKEY root, const QString &keyPath, quint32 access, HKEY &key) {
    key = NoKey;
    if (root != HKEY_LOCAL_MACHINE)
        return ERROR_FILE_NOT_FOUND;
    // Key names are not case-sensitive.
    if (keyPath.compare(QLatin1String(SystemInfoKey), Qt::CaseInsensitive) == 0)
        key = SystemInfo;
    else if (keyPath.compare(QLatin1String(ToolsLocationKey), Qt::CaseInsensitive) == 0)
        key = ToolsLocation;
    else
        return ERROR_FILE_NOT_FOUND;
    if (access & ~KEY_READ) {
        key = NoKey;
        return ERROR_ACCESS_DENIED;
    }
    return ERROR_SUCCESS;
}

long LinuxRegistry::queryValue(HKEY key, const QString &valueName, quint32 &type,
                               QByteArray &buffer, quint32 &length) {
    QString text;
    if (key == SystemInfo &&
        valueName.compare(QLatin1String(SystemInfoValue), Qt::CaseInsensitive) == 0)
        text = findProgram();
    else if (key == ToolsLocation &&
             valueName.compare(QLatin1String(ToolsLocationValue), Qt::CaseInsensitive) == 0)
        text = tools_.toolsFolder;
    else if (key != SystemInfo && key != ToolsLocation)
        return ERROR_INVALID_HANDLE;
    if (text.isEmpty())
        return ERROR_FILE_NOT_FOUND;

    const QByteArray data = QFile::encodeName(text) + '\0';
    const quint32 capacity = quint32(buffer.size());
    length = quint32(data.size());
    if (length > capacity)
        return ERROR_MORE_DATA;
    type = REG_SZ;
    buffer.replace(0, data.size(), data);
    return ERROR_SUCCESS;
}

long LinuxRegistry::closeKey(HKEY key) {
    return key == SystemInfo || key == ToolsLocation ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

QString LinuxRegistry::findProgram() const {
    // A relative folder ("." or an empty entry among them) is the current folder's, which
    // anyone may have filled: only absolute folders are searched.
    QStringList folders;
    for (const QString &folder : tools_.searchPath)
        if (QDir::isAbsolutePath(folder))
            folders << folder;
    // An empty folder list would make findExecutable search $PATH after all.
    if (folders.isEmpty())
        return {};
    for (const QString &program : tools_.programs) {
        const QString path = QStandardPaths::findExecutable(program, folders);
        if (!path.isEmpty())
            return path;
    }
    return {};
}

} // namespace margino
