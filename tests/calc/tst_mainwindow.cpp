// The main window as a user meets it: its captions and places, where the focus starts and
// goes, what assistive technology reads, and how it ends the program.
#include "calc/form1.h"
#include "platform/sqlitedatabase.h"
#include "support/datafile.h"
#include "support/helpfiles.h"
#include "support/modalwatch.h"
#include "widgets/inputnumerico.h"
#include "widgets/picturepanel.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>

using namespace margino;

class TstMainWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<DataFileCopy> file;
    std::unique_ptr<SqliteDatabase> db;
    std::unique_ptr<Form1> form;
    std::unique_ptr<ModalWatch> watch;
    HelpDataHome help;

    template <typename T = QWidget> T *control(const char *name) const {
        auto *widget = form->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }

private slots:
    void init() {
        // Rows tagged "en" run in an English locale, everything else in Italian.
        const bool english = QByteArray(QTest::currentDataTag()).startsWith("en");
        QLocale::setDefault(QLocale(english ? QStringLiteral("en_US") : QStringLiteral("it_IT")));
        watch = std::make_unique<ModalWatch>();
        file = std::make_unique<DataFileCopy>();
        db = std::make_unique<SqliteDatabase>(
            file->path(), QStringList{QStringLiteral("System"), QStringLiteral("Settaggi")});
        form = std::make_unique<Form1>(*db);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() {
        form.reset();
        db.reset();
        file.reset();
        QVERIFY2(watch->seen().isEmpty(), qPrintable(watch->describe()));
        watch.reset();
    }

    void captions_fitTheBoxesTheLayoutGivesThem() {
        for (QLabel *label : form->findChildren<QLabel *>()) {
            if (label->text().isEmpty())
                continue;
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                     qPrintable(label->objectName()));
        }
        auto *ok = control<QPushButton>("cmd_Ok");
        QVERIFY(ok->fontMetrics().horizontalAdvance(ok->text()) < ok->width());
    }

    // State: the window just opened. Action: Tab four times.
    // Expected: "Esci" holds the focus first, then sale, purchase, quantity, "Esci".
    void focus_startsOnEsciAndTabsThroughTheFields() {
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"cmd_Ok", "in_VndPzo", "in_AcqPzo", "in_Qta", "cmd_Ok"}));
    }

    // State: a fresh window. Expected: every panel shows the picture of a blanked LCD, nine
    // unlit eights on the dark background; assistive technology reads what it is and, once an
    // LCD writes on it, what it shows.
    void panels_startAsNineUnlitCellsAndSayWhatTheyShow() {
        ImageCanvas blank(QSize(136, 21));
        mcLCD reference;
        reference.NewLCD(blank);
        reference.setCaption(QString());
        for (const char *name :
             {"pic_PdP", "pic_SLP", "pic_SLMM", "pic_GP", "pic_PercentualeGP", "pic_Commissioni"}) {
            auto *panel = control<PicturePanel>(name);
            QVERIFY2(panel->image() == blank.image(), name);
            const QImage shown = panel->grab().toImage();
            QCOMPARE(shown.pixel(2 + 2 + 3, 2 + 2), qRgb(0, 0x55, 0)); // top bar of cell 0
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(panel);
            QVERIFY2(!a->text(QAccessible::Description).isEmpty(), name);
            mcLCD lcd;
            lcd.NewLCD(*panel);
            lcd.setCaption(QStringLiteral("-12,5"));
            QCOMPARE(a->text(QAccessible::Name), QStringLiteral("-12,5"));
        }
    }

    void helpCommandAndF1_openTheHelpFileAtItsContents() {
        // State: Margino.hlp lies in the application's data folder, not beside the program.
        help.putHelpFile();
        // Action: the Help command, then F1. Expected: the help window, at the top each time.
        form->findChild<QAction *>(QStringLiteral("mnu_Help"))->trigger();
        QWidget *window = HelpDataHome::visibleHelpWindow();
        QVERIFY(window);
        auto *browser = window->findChild<QTextBrowser *>();
        QCOMPARE(browser->documentTitle(), QStringLiteral("Margino - Guida"));
        QCOMPARE(browser->verticalScrollBar()->value(), 0);
        window->close();
        QTest::keyClick(control("in_Qta"), Qt::Key_F1);
        QVERIFY(HelpDataHome::visibleHelpWindow());
        HelpDataHome::visibleHelpWindow()->close();
        help.removeHelpFile();
    }

    void helpWithoutItsFile_saysSoAndTheWindowCarriesOn() {
        // State: no help file anywhere. Action: Help. Expected: one message, window usable.
        form->findChild<QAction *>(QStringLiteral("mnu_Help"))->trigger();
        const QList<ModalWatch::Seen> seen = watch->take();
        QCOMPARE(seen.size(), 1);
        QVERIFY(seen.first().text.contains(QStringLiteral("Margino.hlp")));
        QVERIFY(form->isVisible());
        QTest::keyClicks(control("in_Qta"), QStringLiteral("10"));
        QCOMPARE(control<InputNumerico>("in_Qta")->Valore(), QStringLiteral("10"));
    }

    void esciAndCloseBox_endTheEventLoopWithStatusZero_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("Esci") << false;
        QTest::newRow("close box") << true;
    }
    void esciAndCloseBox_endTheEventLoopWithStatusZero() {
        QFETCH(bool, closeBox);
        if (closeBox)
            QTimer::singleShot(0, form.get(), &QWidget::close);
        else
            QTimer::singleShot(0, control<QPushButton>("cmd_Ok"), &QPushButton::click);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
