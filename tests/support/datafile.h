// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private, writable copy of the shipped settings file in a temporary folder, per test, and
// whole files read and written.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class DataFileCopy {
public:
    DataFileCopy() {
        const QString target = path();
        if (!QFile::copy(QStringLiteral(MARGINO_DATA_FILE), target) ||
            !QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner))
            qFatal("cannot copy the settings file into %s", qPrintable(folder()));
    }
    QString folder() const { return dir_.path(); }
    QString path() const { return dir_.filePath(QStringLiteral("DataMg.mgd")); }

private:
    QTemporaryDir dir_;
};

// The whole file's bytes; empty when it cannot be read.
inline QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes bytes as the whole file, replacing what was there.
inline bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
