// The About box as a user meets it: its pixel layout, the roll it shows, how it closes, what
// "System Info.." does on this desktop, and the main window's About command.
#include "about/frmabout.h"
#include "calc/form1.h"
#include "platform/sqlitedatabase.h"
#include "support/datafile.h"
#include "support/modalwatch.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;

class TstFrmAbout : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatch> watch;
    std::unique_ptr<QTemporaryDir> tools; // the program folder: empty unless a test fills it
    std::unique_ptr<FrmAbout> about;

    template <typename T = QWidget> T *control(const QString &name) const {
        auto *widget = about->findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }
    QLabel *line(int i) const { return control<QLabel>(QStringLiteral("lblCredits%1").arg(i)); }
    // No program on any search path, so only the tools folder can offer one.
    std::unique_ptr<FrmAbout> makeAbout() const {
        return std::make_unique<FrmAbout>(nullptr,
                                          SystemInfoTools{{"kinfocenter"}, {}, tools->path()});
    }

private slots:
    void init() {
        // Rows tagged "en" run in an English locale, everything else in Italian.
        const bool english = QByteArray(QTest::currentDataTag()).startsWith("en");
        QLocale::setDefault(QLocale(english ? QStringLiteral("en_US") : QStringLiteral("it_IT")));
        watch = std::make_unique<ModalWatch>();
        tools = std::make_unique<QTemporaryDir>();
        about = makeAbout();
    }
    void cleanup() {
        about.reset();
        QVERIFY2(watch->seen().isEmpty(), qPrintable(watch->describe()));
        watch.reset();
    }

    void load_stacksTheCreditsInWhiteFromTheTopOfTheArea() {
        // State: loaded, before its first tick. Expected: lines 0 to 9 at 0, 20, ..., 180.
        const QStringList texts{
            "", "", "Vellutra", "Analista..", "", "Programmazione..", "", "Grafica..", "", ""};
        for (int i = 0; i <= CreditsRoll::LastLine; ++i) {
            QCOMPARE(line(i)->y(), 20 * i);
            QCOMPARE(line(i)->geometry().center().x(), QRect(88, 0, 153, 20).center().x());
            QCOMPARE(line(i)->palette().color(QPalette::WindowText), QColor(Qt::white));
            QVERIFY(line(i)->text().startsWith(texts[i]));
            QCOMPARE(line(i)->text().isEmpty(), texts[i].isEmpty() && i != 4 && i != 6 && i != 8);
            // Every text reads whole across the credits area.
            QVERIFY(line(i)->fontMetrics().horizontalAdvance(line(i)->text()) <= line(i)->width());
        }
    }

    void layout_isTheAboutBoxsPixelGrid_data() {
        QTest::addColumn<int>("unused");
        QTest::newRow("it") << 0;
        QTest::newRow("en") << 0;
    }
    void layout_isTheAboutBoxsPixelGrid() {
        QCOMPARE(about->windowTitle(), QStringLiteral("About Vellutra"));
        QCOMPARE(about->size(), QSize(281, 313));
        QCOMPARE(about->minimumSize(), about->maximumSize());
        const Qt::WindowFlags flags = about->windowFlags();
        QVERIFY(flags.testFlag(Qt::Tool) && flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testAnyFlags(Qt::WindowMinMaxButtonsHint));
        const std::pair<const char *, QRect> places[] = {
            {"Picture1", {0, 0, 57, 161}},          {"Shape1", {56, 0, 217, 161}},
            {"Frame1", {0, 160, 281, 153}},         {"Label1", {32, 8, 209, 25}},
            {"Label3", {32, 56, 177, 17}},          {"Label4", {32, 72, 193, 33}},
            {"cmd_SystemInfo", {136, 112, 73, 25}}, {"cmd_Ok", {216, 112, 49, 25}}};
        for (const auto &[name, place] : places)
            QCOMPARE(control(name)->geometry(), place);
        QCOMPARE(control<QLabel>("Picture1")->pixmap().size(), QSize(57, 160));
        QCOMPARE(control<QLabel>("Label1")->text(), QStringLiteral("Margino"));
        QCOMPARE(control<QPushButton>("cmd_SystemInfo")->text(), QStringLiteral("System Info.."));
        QCOMPARE(control<QPushButton>("cmd_Ok")->text(), QStringLiteral("OK"));
        for (QLabel *label : control("Frame1")->findChildren<QLabel *>()) {
            const QSize text = label->fontMetrics().size(0, label->text());
            QVERIFY2(text.width() <= label->width() && text.height() <= label->height(),
                     qPrintable(label->objectName()));
        }
    }

    void focus_startsOnTheBannerAndTabsThroughTheButtons() {
        about->show();
        QVERIFY(QTest::qWaitForWindowActive(about.get()));
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 3; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"Picture1", "cmd_SystemInfo", "cmd_Ok", "Picture1"}));
    }

    void roll_showsEachLineWhereAndInTheColourTheRollSays() {
        // State: shown. Action: let it tick. Expected: labels match a roll ticked as often.
        about->show();
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
            const QColor colour =
                expected.color
                    ? QColor(expected.color->red, expected.color->green, expected.color->blue)
                    : QColor(Qt::white);
            QCOMPARE(line(i)->palette().color(QPalette::WindowText), colour);
        }
    }

    void closing_onlyByOkOrTheCloseBox_data() {
        QTest::addColumn<bool>("closes");
        QTest::newRow("OK clicked") << true;
        QTest::newRow("Enter on OK") << true;
        QTest::newRow("close box") << true;
        QTest::newRow("Escape") << false;
        QTest::newRow("Enter on the banner") << false;
    }
    void closing_onlyByOkOrTheCloseBox() {
        QFETCH(bool, closes);
        about->show();
        QVERIFY(QTest::qWaitForWindowActive(about.get()));
        const QByteArray action = QTest::currentDataTag();
        auto *ok = control<QPushButton>("cmd_Ok");
        if (action == "OK clicked") {
            QTest::mouseClick(ok, Qt::LeftButton);
        } else if (action == "Enter on OK") {
            ok->setFocus();
            QTest::keyClick(ok, Qt::Key_Return);
        } else if (action == "close box") {
            about->close();
        } else if (action == "Escape") {
            QTest::keyClick(control("Picture1"), Qt::Key_Escape);
        } else {
            // Through both buttons and back: neither may stay the default on the way.
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(control("Picture1"), Qt::Key_Return);
        }
        QCOMPARE(about->isVisible(), !closes);
    }

    void systemInfo_startsTheToolOrSaysSoAndStaysOpen_data() {
        QTest::addColumn<bool>("put");
        QTest::addColumn<bool>("executable");
        QTest::newRow("tool in the program folder") << true << true;
        QTest::newRow("no tool") << false << false;
        QTest::newRow("tool that cannot run") << true << false;
    }
    void systemInfo_startsTheToolOrSaysSoAndStaysOpen() {
        QFETCH(bool, put);
        QFETCH(bool, executable);
        // State: the program folder holds margino-sysinfo, a script leaving a mark, or not.
        const QString mark = tools->filePath("started");
        if (put) {
            QFile script(tools->filePath("margino-sysinfo"));
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write("#!/bin/sh\ntouch \"" + mark.toUtf8() + "\"\n");
            script.close();
            if (executable)
                script.setPermissions(script.permissions() | QFile::ExeOwner);
        }
        about->show();
        QVERIFY(QTest::qWaitForWindowActive(about.get()));
        // Action: "System Info..". Expected: the tool runs, or the one message; open after.
        QTest::mouseClick(control<QPushButton>("cmd_SystemInfo"), Qt::LeftButton);
        if (executable) {
            QTRY_VERIFY(QFile::exists(mark));
        } else {
            const QList<ModalWatch::Seen> seen = watch->take();
            QCOMPARE(seen.size(), 1);
            QCOMPARE(seen[0].text,
                     QStringLiteral("System Information Is Unavailable At This Time"));
            QVERIFY(seen[0].otherWindows.contains("FrmAbout"));
            QVERIFY(!QFile::exists(mark));
        }
        QVERIFY(about->isVisible());
        const int top = line(0)->y();
        QTRY_VERIFY(line(0)->y() != top); // the roll goes on
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
        for (const ModalWatch::Seen &s : seen) {
            QCOMPARE(s.title, QStringLiteral("About Vellutra"));
            QVERIFY(s.otherWindows.contains("Form1"));
        }
    }
};

QTEST_MAIN(TstFrmAbout)
#include "tst_frmabout.moc"
