// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup.h"

#include "app/launch.h"
#include "platform/sqlitedatabase.h"
#include "store/parameters.h"
#include "store/sessionstate.h"
#include "store/settingslocation.h"
#include "store/statements.h"
#include "ui/drawnicons.h"
#include "ui/errorreport.h"
#include "ui/form1.h"

#include <QApplication>
#include <QDir>
#include <memory>

namespace margino {

int Main(QApplication &app, const QString &programFolder) {
    QCoreApplication::setApplicationName(QStringLiteral("Margino"));
    QGuiApplication::setDesktopFileName(QStringLiteral("it.vellutra.Margino"));
    installQtCatalogue(app);

    QString fileName;
    try {
        fileName = locateSettingsFile(programFolder, userSettingsFolder(),
                                      installedDataFolders(programFolder));
    } catch (const SettingsFileError &error) {
        showErrorReport(nullptr, error, error.detail());
        return 1;
    }
    std::unique_ptr<Database> dbParametri;
    try {
        dbParametri = std::make_unique<SqliteDatabase>(
            fileName, QStringList{QStringLiteral("System"), QStringLiteral("Settaggi")});
        // Settings the calculation cannot use end the run here, not at every keystroke.
        readSystem(*dbParametri, statements::SelectSystemForCalc);
        readSettaggi(*dbParametri);
        readTariff(*dbParametri); // when the file has the table, as every save makes it
    } catch (const RuntimeError &error) {
        showErrorReport(nullptr, error,
                        QStringLiteral("File: %1").arg(QDir::toNativeSeparators(fileName)));
        return 1;
    }

    // The last trade, the window's place and the tax switch, kept where the settings are.
    SessionState session(SessionState::fileFor(programFolder, fileName));
    installStyle();
    std::unique_ptr<Form1> form;
    try {
        form = std::make_unique<Form1>(*dbParametri, session);
    } catch (const RuntimeError &error) {
        showErrorReport(nullptr, error);
        return 1;
    }
    form->show();
    return app.exec();
}

} // namespace margino
