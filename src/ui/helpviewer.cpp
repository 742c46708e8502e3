// SPDX-License-Identifier: GPL-3.0-or-later
#include "helpviewer.h"

#include "store/settingslocation.h"
#include "ui/helpaccessible.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace margino {

QString findHelpFile(const QString &name, const QStringList &folders) {
    if (name.contains(u'/'))
        return QFileInfo(name).isFile() ? name : QString();
    for (const QString &folder : folders) {
        const QString candidate = QDir(folder).filePath(name);
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

QStringList helpSearchFolders() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return QStringList{programFolder} + installedDataFolders(programFolder);
}

namespace {

// The help file names no colours: text and headings take the palette's text colour, and the
// shaded cells and borders take its alternate base and mid tones, light or dark alike.
QString paletteStyleSheet(const QPalette &palette) {
    return QStringLiteral("code, th { background-color: %1; } td, th { border: 1px solid %2; }")
        .arg(palette.color(QPalette::AlternateBase).name(), palette.color(QPalette::Mid).name());
}

// One help window for the whole program, reused by every request.
QDialog *helpWindow(QWidget *owner) {
    static QPointer<QDialog> window;
    if (!window) {
        window = new QDialog(owner, Qt::Window);
        window->setObjectName(QStringLiteral("helpWindow"));
        window->setWindowTitle(QStringLiteral("Guida di Margino"));
        window->setAttribute(Qt::WA_DeleteOnClose);
        auto *browser = new QTextBrowser;
        announceAsDocument(browser); // before it can be asked for, so it is read as one
        browser->setParent(window);
        browser->setObjectName(QStringLiteral("helpBrowser"));
        browser->setOpenExternalLinks(false);
        browser->document()->setDefaultStyleSheet(paletteStyleSheet(browser->palette()));
        auto *layout = new QVBoxLayout(window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        const QSize room = window->screen()->availableGeometry().size() * 0.9;
        window->resize(QSize(560, 620).boundedTo(room));
    }
    return window;
}

} // namespace

bool WinHelp(QWidget *owner, const QString &helpFile, int, quintptr) {
    const QString path = findHelpFile(helpFile, helpSearchFolders());
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(owner, QStringLiteral("Guida"),
                             QStringLiteral("Impossibile aprire il file della Guida %1.\n\n"
                                            "Il file non è stato trovato o non è leggibile.")
                                 .arg(helpFile));
        return false;
    }
    QDialog *window = helpWindow(owner);
    auto *browser = window->findChild<QTextBrowser *>();
    browser->setSearchPaths({QFileInfo(path).absolutePath()});
    browser->setHtml(QString::fromUtf8(file.readAll()));
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

} // namespace margino
