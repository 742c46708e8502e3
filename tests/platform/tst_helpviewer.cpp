// The help stand-in: where it looks for a help file, what it shows, what it says when the
// file is not there.
#include "platform/helpviewer.h"
#include "support/modalwatch.h"

#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace margino;

namespace {

void putHelpFile(const QString &folder) {
    QDir().mkpath(folder);
    QFile::copy(QStringLiteral(MARGINO_BIN_DIR "/Margino.hlp"), folder + "/Margino.hlp");
}

QDialog *visibleHelpWindow() {
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == u"helpWindow" && w->isVisible())
            return qobject_cast<QDialog *>(w);
    }
    return nullptr;
}

} // namespace

class TstHelpViewer : public QObject {
    Q_OBJECT

    QTemporaryDir dataHome;

private slots:
    void initTestCase() {
        // The application's data folders are looked up under this folder only.
        qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
        qputenv("XDG_DATA_DIRS", dataHome.filePath(QStringLiteral("none")).toUtf8());
    }

    void bareName_isLookedForInEachFolderInTurn() {
        QTemporaryDir first, second;
        const QStringList folders{first.path(), second.path()};
        QCOMPARE(findHelpFile(QStringLiteral("Margino.hlp"), folders), QString());
        putHelpFile(second.path());
        QCOMPARE(findHelpFile(QStringLiteral("Margino.hlp"), folders),
                 second.filePath(QStringLiteral("Margino.hlp")));
        putHelpFile(first.path());
        QCOMPARE(findHelpFile(QStringLiteral("Margino.hlp"), folders),
                 first.filePath(QStringLiteral("Margino.hlp")));
        // A name with a folder is taken as given.
        QCOMPARE(findHelpFile(second.filePath(QStringLiteral("Margino.hlp")), {}),
                 second.filePath(QStringLiteral("Margino.hlp")));
    }

    void searchRules_putTheProgramFolderFirst() {
        const QStringList folders = helpSearchFolders();
        QCOMPARE(folders.value(0), QCoreApplication::applicationDirPath());
        QVERIFY(folders.contains(dataHome.filePath(QCoreApplication::applicationName())));
    }

    void missingFile_getsTheEnginesOwnMessage() {
        ModalWatch watch;
        QVERIFY(!WinHelp(nullptr, QStringLiteral("Margino.hlp"), HELP_CONTENTS, 0));
        QCOMPARE(watch.seen().size(), 1);
        QVERIFY(watch.seen().first().text.contains(QStringLiteral("Margino.hlp")));
        QVERIFY(!visibleHelpWindow());
    }

    void foundFile_opensAtItsContents() {
        // State: the help file lies in the application's data folder.
        putHelpFile(dataHome.filePath(QCoreApplication::applicationName()));
        ModalWatch watch;
        QVERIFY(WinHelp(nullptr, QStringLiteral("Margino.hlp"), HELP_CONTENTS, 0));
        QDialog *window = visibleHelpWindow();
        QVERIFY(window);
        auto *browser = window->findChild<QTextBrowser *>();
        QCOMPARE(browser->documentTitle(), QStringLiteral("Margino - Guida"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("Punto di pareggio")));
        QCOMPARE(browser->verticalScrollBar()->value(), 0);
        // A second request reuses the one help window.
        QVERIFY(WinHelp(nullptr, QStringLiteral("Margino.hlp"), HELP_CONTENTS, 0));
        QCOMPARE(visibleHelpWindow(), window);
        QVERIFY(watch.seen().isEmpty());
        window->close();
    }
};

QTEST_MAIN(TstHelpViewer)
#include "tst_helpviewer.moc"
