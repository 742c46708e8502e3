// The help stand-in's search rules: the program's folder first, then the data folders.
#include "ui/helpviewer.h"
#include "support/helpfiles.h"

#include <QTest>

using namespace margino;

class TstHelpViewer : public QObject {
    Q_OBJECT

private slots:
    void bareName_isLookedForInEachFolderInTurn() {
        QTemporaryDir first, second;
        const QString inFirst = first.filePath("Margino.hlp"),
                      inSecond = second.filePath("Margino.hlp");
        const QStringList folders{first.path(), second.path()};
        QCOMPARE(findHelpFile("Margino.hlp", folders), QString());
        QFile(inSecond).open(QIODevice::WriteOnly);
        QCOMPARE(findHelpFile("Margino.hlp", folders), inSecond);
        QFile(inFirst).open(QIODevice::WriteOnly);
        QCOMPARE(findHelpFile("Margino.hlp", folders), inFirst);
        QCOMPARE(findHelpFile(inSecond, {}), inSecond); // a name with a folder is used as given
    }

    void searchRules_putTheProgramFolderBeforeTheDataFolders() {
        HelpDataHome home;
        const QStringList folders = helpSearchFolders();
        QCOMPARE(folders.value(0), QCoreApplication::applicationDirPath());
        QCOMPARE(folders.value(1), home.appFolder());
    }
};

QTEST_GUILESS_MAIN(TstHelpViewer)
#include "tst_helpviewer.moc"
