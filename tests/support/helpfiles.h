// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Help files for tests: the application's data folders are pointed at a temporary folder,
// and the bundled Margino.hlp can be put there or left out.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

class HelpDataHome {
public:
    HelpDataHome() {
        qputenv("XDG_DATA_HOME", dir_.path().toUtf8());
        qputenv("XDG_DATA_DIRS", dir_.filePath(QStringLiteral("none")).toUtf8());
    }
    QString appFolder() const { return dir_.filePath(QStringLiteral("margino")); }
    void putHelpFile() const {
        QDir().mkpath(appFolder());
        QFile::copy(QStringLiteral(MARGINO_BIN_DIR "/Margino.hlp"), appFolder() + "/Margino.hlp");
    }
    void removeHelpFile() const { QFile::remove(appFolder() + "/Margino.hlp"); }

    static QWidget *visibleHelpWindow() {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == u"helpWindow" && w->isVisible())
                return w;
        return nullptr;
    }

private:
    QTemporaryDir dir_;
};
