// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a user meets it: its captions, where the focus starts and goes, the
// panels at start, which help file it shows, and how it ends the program.
#include "support/helpfiles.h"
#include "support/mainwindow.h"
#include "ui/inputnumerico.h"
#include "ui/picturepanel.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>

using namespace margino;

class TstMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> w;
    HelpDataHome help;

    template <typename T = QWidget> T *control(const char *name) const {
        return w->control<T>(name);
    }

private slots:
    void init() { w = std::make_unique<MainWindowFixture>(); }
    void cleanup() {
        QVERIFY2(w->watch.seen().isEmpty(), qPrintable(w->watch.describe()));
        w.reset();
    }

    void captions_fitTheBoxesTheLayoutGivesThem() {
        for (QLabel *label : w->form->findChildren<QLabel *>()) {
            if (label->text().isEmpty())
                continue;
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
        }
        auto *ok = control<QPushButton>("cmd_Ok");
        QVERIFY(ok->fontMetrics().horizontalAdvance(ok->text()) < ok->width());
    }

    // State: the window just opened. Action: Tab round the window. Expected: "Esci" first, then
    // the figures and fields in the layout's order, the tax switch last, each figure with a
    // focus mark in the highlight colour.
    void focus_startsOnEsciAndTabsThroughFiguresAndFields() {
        const QStringList order{"cmd_Ok",         "pic_SLMM",        "pic_SLP",
                                "pic_PdP",        "pic_Commissioni", "pic_PercentualeGP",
                                "pic_GP",         "in_VndPzo",       "in_AcqPzo",
                                "in_Qta",         "lab_AcqImp",      "lab_VndImp",
                                "transactionTax", "cmd_Ok"};
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focused = QApplication::focusWidget();
            visited << focused->objectName();
            if (qobject_cast<QFrame *>(focused) && !qobject_cast<QPushButton *>(focused) &&
                !qobject_cast<InputNumerico *>(focused))
                QCOMPARE(w->onScreen(focused, false).pixelColor(0, 5),
                         focused->palette().color(QPalette::Highlight));
        }
        QCOMPARE(visited, order);
    }

    // State: a fresh window. Expected: every panel shows the picture of a blanked LCD, nine
    // unlit eights on the dark background, and says it has no value.
    void panels_startAsNineUnlitCells() {
        for (const char *name :
             {"pic_PdP", "pic_SLP", "pic_SLMM", "pic_GP", "pic_PercentualeGP", "pic_Commissioni"}) {
            auto *panel = control<PicturePanel>(name);
            QVERIFY2(panel->image() == w->drawn(QString()), name);
            QCOMPARE(w->onScreen(panel).pixel(2 + 3, 2), qRgb(0, 0x55, 0)); // top bar, cell 0
            QVERIFY2(MainWindowFixture::spokenOf(panel).endsWith("nessun valore"), name);
        }
    }

    // State: a help file beside the program (a portable copy) and another one installed in
    // the data folder. Action: Help. Expected: the copy beside the program is shown.
    void helpBesideTheProgram_winsOverTheInstalledOne() {
        help.putHelpFile();
        const QString portable = QCoreApplication::applicationDirPath() + "/Margino.hlp";
        QVERIFY(writeFile(portable,
                          "<html><head><title>Copia portatile</title></head><body></body></html>"));
        w->form->findChild<QAction *>("mnu_Help")->trigger();
        QFile::remove(portable);
        help.removeHelpFile();
        QWidget *window = HelpDataHome::visibleHelpWindow();
        QVERIFY(window);
        QCOMPARE(window->findChild<QTextBrowser *>()->documentTitle(), "Copia portatile");
        window->close();
    }

    void helpWithoutItsFile_saysSoAndTheWindowCarriesOn() {
        // State: no help file anywhere. Action: Help. Expected: one message, window usable.
        w->form->findChild<QAction *>("mnu_Help")->trigger();
        const QList<ModalWatch::Seen> seen = w->watch.take();
        QCOMPARE(seen.size(), 1);
        QVERIFY(seen.first().text.contains("Margino.hlp"));
        QVERIFY(w->form->isVisible());
        QTest::keyClicks(control("in_Qta"), "10");
        QCOMPARE(control<InputNumerico>("in_Qta")->Valore(), "10");
    }

    void endingTheProgram_closesEveryWindowWithStatusZero_data() {
        QTest::addColumn<QString>("opened"); // the window open over the main one; empty: none
        QTest::addColumn<QString>("how");
        for (const auto &[row, opened, how] :
             {std::tuple{"Esci clicked", "", "click"},
              {"Enter on the focused Esci", "", "enter"},
              {"close box", "", "close"},
              {"Ctrl+Q in the main window", "", "ctrl+q"},
              {"Ctrl+Q in About", "mnu_About", "ctrl+q"},
              {"Ctrl+Q in the settings", "mnu_Settaggio", "ctrl+q"},
              {"Ctrl+Q in the plan", "planTradeAction", "ctrl+q"}})
            QTest::newRow(row) << QString(opened) << QString(how);
    }
    void endingTheProgram_closesEveryWindowWithStatusZero() {
        QFETCH(QString, opened);
        QFETCH(QString, how);
        // State: the window running, perhaps with another (modal) window over it. Action: the
        // row's way to end, in the front window. Expected: every window closes, status 0.
        bool endedAtOnce = false;
        const auto end = [&](QWidget *front) {
            auto *ok = control<QPushButton>("cmd_Ok");
            if (how == "click")
                ok->click();
            else if (how == "enter")
                QTest::keyClick(ok, Qt::Key_Return);
            else if (how == "close")
                w->form->close();
            else
                QTest::keyClick(front, Qt::Key_Q, Qt::ControlModifier);
            endedAtOnce = !w->form->isVisible();
            QApplication::closeAllWindows(); // so that a failing run ends too
        };
        QTimer::singleShot(0, w->form.get(), [&] {
            if (opened.isEmpty())
                return end(control("in_Qta"));
            QTimer::singleShot(0, [&] { end(QApplication::activeModalWidget()); });
            w->form->findChild<QAction *>(opened)->trigger();
        });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(endedAtOnce);
        QVERIFY(w->watch.seen().isEmpty());
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }
};

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
