// SPDX-License-Identifier: GPL-3.0-or-later
// The About box as a user meets it: the roll it shows, how it closes, what "System Info.." does
// on this desktop, and the main window's About command.
#include "platform/sqlitedatabase.h"
#include "support/datafile.h"
#include "support/modalwatch.h"
#include "ui/form1.h"
#include "ui/frmabout.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;

class TstFrmAbout : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatch> watch;
    std::unique_ptr<FrmAbout> about;

    QLabel *line(int i) { return about->findChild<QLabel *>("lblCredits" + QString::number(i)); }
    // The folder is the program folder and the only search path: "sh", on every $PATH, is
    // found only by a search of other folders.
    bool open(const QString &f = {}) {
        about = std::make_unique<FrmAbout>(nullptr, SystemInfoTools{{"sh", "kinfocenter"}, {f}, f});
        about->show();
        return QTest::qWaitForWindowActive(about.get());
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale("it_IT")); }
    void init() { watch = std::make_unique<ModalWatch>(); }
    void cleanup() { QVERIFY2(watch->seen().isEmpty(), qPrintable(watch->describe())); }

    void roll_labelsStandAndFadeAsTheRollSays() {
        // State: shown. Action: let it tick. Expected: the labels of a roll ticked as often.
        QVERIFY(open());
        QTRY_VERIFY(line(0)->y() != 0);
        CreditsRoll roll;
        roll.load(QRect(56, 0, 217, 161), QSize(153, 20));
        for (int ticks = 0; ticks < 181 && roll.lines()[0].box.top() != line(0)->y(); ++ticks)
            roll.tick();
        for (int i = 0; i <= CreditsRoll::LastLine; ++i) {
            QCOMPARE(line(i)->geometry().center(), roll.lines()[i].box.center());
            const auto [r, g, b] = roll.lines()[i].color.value_or(RollColor{255, 255, 255});
            QCOMPARE(line(i)->palette().color(QPalette::WindowText), QColor(r, g, b));
        }
    }

    void buttons_onlyOkOrTheCloseBoxCloseAndSystemInfoStartsTheToolOrSaysSo_data() {
        QTest::addColumn<QString>("name"); // of a link in the folder, to a program or a file
        QTest::addColumn<bool>("message"); // the link is to a data file, which cannot run
        QTest::addColumn<bool>("closes");
        QTest::newRow("OK") << "notes" << false << true;
        QTest::newRow("close box") << "notes" << false << true;
        QTest::newRow("Escape and Enter where the focus starts") << "notes" << false << false;
        QTest::newRow("System Info.., on the search path") << "kinfocenter" << false << false;
        QTest::newRow("System Info.., tool in the folder") << "margino-sysinfo" << false << false;
        QTest::newRow("System Info.., tool that cannot run") << "margino-sysinfo" << true << false;
    }
    void buttons_onlyOkOrTheCloseBoxCloseAndSystemInfoStartsTheToolOrSaysSo() {
        // State: shown, a link in the folder. Action: the row's. Expected: only OK and the
        // close box close; "System Info.." starts the program or shows the one message, and
        // the window stays open with the roll going on.
        QFETCH(QString, name);
        QFETCH(bool, message);
        QFETCH(bool, closes);
        QTemporaryDir folder;
        QVERIFY(QFile::link(message ? MARGINO_DATA_FILE : "/bin/true", folder.filePath(name)));
        QVERIFY(open(folder.path()));
        const QByteArray how = QTest::currentDataTag();
        if (how == "OK")
            QTest::mouseClick(about->findChild<QPushButton *>("cmd_Ok"), Qt::LeftButton);
        else if (how == "close box")
            about->close();
        else if (how.startsWith("System Info.."))
            QTest::mouseClick(about->findChild<QPushButton *>("cmd_SystemInfo"), Qt::LeftButton);
        else
            QTest::keySequence(about.get(), QKeySequence(Qt::Key_Escape, Qt::Key_Return));
        QCOMPARE(watch->take().size(), int(message));
        QCOMPARE(about->isVisible(), !closes);
        const int top = line(0)->y();
        QTRY_VERIFY(closes || line(0)->y() != top);
    }

    void notice_namesTheLicenceAndTheVersionWithinItsBox() {
        // State: the About box open. Expected: the notice gives the version and the licence,
        // each line within its label, the label clear of the name and the web notice above
        // and below it.
        QVERIFY(open());
        auto *notice = about->findChild<QLabel *>("Label3");
        QCOMPARE(
            notice->text().split('\n'),
            QStringList({"Versione " MARGINO_VERSION, "Software libero: GNU GPL 3 o successiva"}));
        const QFontMetrics metrics = notice->fontMetrics();
        for (const QString &text : notice->text().split('\n'))
            QVERIFY2(metrics.horizontalAdvance(text) <= notice->width(), qPrintable(text));
        QVERIFY(2 * metrics.height() <= notice->height());
        for (const char *other : {"Label1", "Label4"})
            QVERIFY2(!about->findChild<QLabel *>(other)->geometry().intersects(notice->geometry()),
                     other);
    }

    void aboutCommand_showsANewAboutBoxModally() {
        // State: the main window. Action: About. Expected: the About box, modal, and none kept,
        // so that the next showing starts the roll afresh.
        DataFileCopy file;
        SqliteDatabase db(file.path(), {"System", "Settaggi"});
        Form1 form(db);
        form.findChild<QAction *>("mnu_About")->trigger();
        QCOMPARE(watch->take().size(), 1);
        QVERIFY(form.findChildren<FrmAbout *>().isEmpty());
    }
};

QTEST_MAIN(TstFrmAbout)
#include "tst_frmabout.moc"
