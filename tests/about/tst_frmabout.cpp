// The About box as a user meets it: the roll it shows, how it closes, what "System Info.." does
// on this desktop, and the main window's About command.
#include "about/frmabout.h"
#include "calc/form1.h"
#include "platform/sqlitedatabase.h"
#include "support/datafile.h"
#include "support/modalwatch.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;

class TstFrmAbout : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatch> watch;
    QTemporaryDir tools; // the program folder, and the search path when a row asks for it
    std::unique_ptr<FrmAbout> about;

    template <typename T = QWidget> T *control(const QString &name) const {
        auto *widget = about->findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QLabel *line(int i) const { return control<QLabel>(QStringLiteral("lblCredits%1").arg(i)); }
    void open(const QStringList &searchPath = {}) {
        // "sh" is on every $PATH: only a search of the folders named would miss it.
        about = std::make_unique<FrmAbout>(
            nullptr, SystemInfoTools{{"sh", "kinfocenter"}, searchPath, tools.path()});
        about->show();
        QVERIFY(QTest::qWaitForWindowActive(about.get()));
    }

private slots:
    void init() {
        // Rows tagged "en" run in an English locale, everything else in Italian.
        const bool english = QByteArray(QTest::currentDataTag()).startsWith("en");
        QLocale::setDefault(QLocale(english ? QStringLiteral("en_US") : QStringLiteral("it_IT")));
        watch = std::make_unique<ModalWatch>();
    }
    void cleanup() {
        about.reset();
        QVERIFY2(watch->seen().isEmpty(), qPrintable(watch->describe()));
        watch.reset();
    }

    void roll_showsEachLineWhereAndInTheColourTheRollSays_data() {
        QTest::addColumn<int>("unused");
        QTest::newRow("it") << 0;
        QTest::newRow("en") << 0;
    }
    void roll_showsEachLineWhereAndInTheColourTheRollSays() {
        // State: shown. Action: let it tick. Expected: labels match a roll ticked as often,
        // every text whole in the credits area, every caption inside its box.
        open();
        QTRY_VERIFY(line(0)->y() != 0);
        CreditsRoll roll;
        roll.load(QRect(56, 0, 217, 161), QSize(153, 20));
        int ticks = 0;
        for (; ticks < 181 && roll.lines()[0].box.top() != line(0)->y(); ++ticks)
            roll.tick();
        QVERIFY(ticks > 0 && ticks < 181);
        for (int i = 0; i <= CreditsRoll::LastLine; ++i) {
            const RollLine &expected = roll.lines()[i];
            QCOMPARE(line(i)->y(), expected.box.top());
            QCOMPARE(line(i)->geometry().center().x(), expected.box.center().x());
            const auto [r, g, b] = expected.color.value_or(RollColor{255, 255, 255});
            QCOMPARE(line(i)->palette().color(QPalette::WindowText), QColor(r, g, b));
            QVERIFY(line(i)->fontMetrics().horizontalAdvance(line(i)->text()) <= 217);
        }
        QCOMPARE(line(3)->text().left(10), QStringLiteral("Analista.."));
        for (QLabel *label : control("Frame1")->findChildren<QLabel *>()) {
            const QSize text = label->fontMetrics().size(0, label->text());
            QVERIFY(text.width() <= label->width() && text.height() <= label->height());
        }
    }

    void keys_focusStartsOnTheBannerAndOnlyOkOrTheCloseBoxClose_data() {
        QTest::addColumn<bool>("closes");
        QTest::newRow("OK clicked") << true;
        QTest::newRow("close box") << true;
        QTest::newRow("Escape") << false;
        QTest::newRow("Enter on the banner") << false;
    }
    void keys_focusStartsOnTheBannerAndOnlyOkOrTheCloseBoxClose() {
        QFETCH(bool, closes);
        open();
        QCOMPARE(QApplication::focusWidget(), control("Picture1"));
        const QByteArray action = QTest::currentDataTag();
        auto *ok = control<QPushButton>("cmd_Ok");
        if (action == "OK clicked") {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else if (action == "close box") {
            about->close();
        } else if (action == "Escape") {
            QTest::keyClick(control("Picture1"), Qt::Key_Escape);
        } else {
            // Round through both buttons: neither may stay the default on the way.
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), control("Picture1"));
            QTest::keyClick(control("Picture1"), Qt::Key_Return);
        }
        QCOMPARE(about->isVisible(), !closes);
    }

    void systemInfo_startsTheToolOrSaysSoAndStaysOpen_data() {
        QTest::addColumn<QString>("script"); // what the temporary folder holds
        QTest::addColumn<bool>("executable");
        QTest::addColumn<bool>("searched"); // the folder is the search path too
        QTest::newRow("program on the search path") << "kinfocenter" << true << true;
        QTest::newRow("tool in the program folder") << "margino-sysinfo" << true << false;
        QTest::newRow("no tool") << "" << false << false;
        QTest::newRow("tool that cannot run") << "margino-sysinfo" << false << false;
    }
    void systemInfo_startsTheToolOrSaysSoAndStaysOpen() {
        QFETCH(QString, script);
        QFETCH(bool, executable);
        QFETCH(bool, searched);
        // State: the folder holds a script leaving a mark when it runs, or nothing.
        const QString mark = tools.filePath("started");
        QFile::remove(mark);
        if (!script.isEmpty()) {
            QFile file(tools.filePath(script));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\ntouch \"" + mark.toUtf8() + "\"\n");
            file.setPermissions(executable ? QFile::ReadOwner | QFile::ExeOwner : QFile::ReadOwner);
        }
        open(searched ? QStringList{tools.path()} : QStringList{});
        // Action: "System Info..". Expected: the tool runs or the one message; open after.
        QTest::mouseClick(control<QPushButton>("cmd_SystemInfo"), Qt::LeftButton);
        if (executable) {
            QTRY_VERIFY(QFile::exists(mark));
        } else {
            const QList<ModalWatch::Seen> seen = watch->take();
            QCOMPARE(seen.size(), 1);
            QCOMPARE(seen[0].text,
                     QStringLiteral("System Information Is Unavailable At This Time"));
            QVERIFY(seen[0].otherWindows.contains("FrmAbout") && !QFile::exists(mark));
        }
        QVERIFY(about->isVisible());
        const int top = line(0)->y();
        QTRY_VERIFY(line(0)->y() != top); // the roll goes on
        QFile::remove(tools.filePath(script));
    }

    void aboutCommand_showsTheAboutBoxModallyOverTheMainWindow() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), {QStringLiteral("System"), QStringLiteral("Settaggi")});
        Form1 form(db);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        // Action: About, twice. Expected: the About box each time, modal over the main window.
        for (int i = 0; i < 2; ++i)
            form.findChild<QAction *>(QStringLiteral("mnu_About"))->trigger();
        const QList<ModalWatch::Seen> seen = watch->take();
        QCOMPARE(seen.size(), 2);
        for (const ModalWatch::Seen &s : seen)
            QVERIFY(s.title == QStringLiteral("About Vellutra") &&
                    s.otherWindows.contains("Form1"));
    }
};

QTEST_MAIN(TstFrmAbout)
#include "tst_frmabout.moc"
