// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopsysteminfo.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>

namespace margino {

bool DesktopSystemInfo::fileExists(const QString &path) {
    const QFileInfo file(path);
    return file.isFile() && !file.isHidden();
}

bool DesktopSystemInfo::startProgram(const QString &path) {
    // The path is the program itself, never split into arguments; the tool runs on its own.
    return !path.isEmpty() && QProcess::startDetached(path, {});
}

void DesktopSystemInfo::showMessage(const QString &text) {
    QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, owner_);
    box.exec();
}

} // namespace margino
