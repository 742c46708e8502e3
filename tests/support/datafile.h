// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private, writable copy of the shipped settings file in a temporary folder, per test.

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
