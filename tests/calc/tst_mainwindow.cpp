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

// Counts the paint events each watched widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QMap<QObject *, int> &paints) : paints_(paints) {}
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++paints_[watched];
        return false;
    }

private:
    QMap<QObject *, int> &paints_;
};

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
    // Replaces a field's text key by key.
    void type(const char *name, const QString &keys) const {
        QTest::keyClick(control(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(control(name), keys);
    }
    // What the screen shows of a panel's drawing area once pending repaints are done.
    QImage onScreen(QWidget *panel) const {
        QApplication::processEvents();
        const QRect area(panel->mapTo(form.get(), panel->contentsRect().topLeft()),
                         panel->contentsRect().size());
        return form->screen()
            ->grabWindow(form->winId())
            .toImage()
            .copy(area)
            .convertToFormat(QImage::Format_RGB32);
    }
    // A panel's picture of a caption, drawn afresh.
    static QImage drawn(const QString &caption) {
        ImageCanvas canvas(QSize(136, 21));
        mcLCD lcd;
        lcd.NewLCD(canvas);
        lcd.setCaption(caption);
        return canvas.image();
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
    // unlit eights on the dark background, and assistive technology reads what it is.
    void panels_startAsNineUnlitCells() {
        for (const char *name :
             {"pic_PdP", "pic_SLP", "pic_SLMM", "pic_GP", "pic_PercentualeGP", "pic_Commissioni"}) {
            auto *panel = control<PicturePanel>(name);
            QVERIFY2(panel->image() == drawn(QString()), name);
            QCOMPARE(onScreen(panel).pixel(2 + 3, 2), qRgb(0, 0x55, 0)); // top bar of cell 0
            QVERIFY2(!panel->accessibleDescription().isEmpty(), name);
        }
    }

    void typing_showsEveryFigureWhole_data() {
        QTest::addColumn<int>("unused");
        QTest::newRow("it") << 0;
        QTest::newRow("en") << 0;
    }
    // State: a fresh window. Action: type a trade whose amount is too wide for its label at the
    // layout's font and whose commissions are too long for a panel. Expected: every integer
    // digit on screen; the full texts as tooltips and for assistive technology.
    void typing_showsEveryFigureWhole() {
        const QString point = QLocale().decimalPoint();
        type("in_Qta", "12345");
        type("in_AcqPzo", "123" + point + "4567");
        auto *amount = control<QLabel>("lab_AcqImp");
        QCOMPARE(amount->text(), "1524072" + point + "9615");
        QCOMPARE(amount->toolTip(), amount->text());
        QVERIFY(amount->fontMetrics().horizontalAdvance(amount->text()) < amount->width());
        type("in_Qta", "999999999");
        type("in_AcqPzo", "99999");
        QCOMPARE(amount->accessibleName(), QStringLiteral("99998999900001"));
        QCOMPARE(amount->text(), "9" + point + "9999E+13");
        QVERIFY(amount->fontMetrics().horizontalAdvance(amount->text()) < amount->width());
        type("in_VndPzo", "99999");
        auto *panel = control<PicturePanel>("pic_Commissioni");
        QCOMPARE(panel->accessibleName(), "379996199620" + point + "004");
        QCOMPARE(panel->toolTip(), panel->accessibleName());
        QCOMPARE(onScreen(panel), drawn("3" + point + "8E+11"));
    }

    // State: quantity and price typed, no sale price. Action: one more digit of the price.
    // Expected: the purchase panels show their new figures on screen; the sale panels, whose
    // captions stay blank, are not even repainted.
    void key_repaintsOnlyThePanelsWhoseFiguresChanged() {
        type("in_Qta", "100");
        type("in_AcqPzo", "1");
        QMap<QObject *, int> paints;
        PaintCounter counter(paints);
        for (PicturePanel *panel : form->findChildren<PicturePanel *>())
            panel->installEventFilter(&counter);
        QTest::keyClicks(control("in_AcqPzo"), QStringLiteral("0"));
        QApplication::processEvents();
        QCOMPARE(onScreen(control<PicturePanel>("pic_PdP")),
                 drawn("10" + QLocale().decimalPoint() + "059"));
        for (const char *name : {"pic_PdP", "pic_SLP", "pic_SLMM"})
            QVERIFY2(paints.value(control(name)) > 0, name);
        for (const char *name : {"pic_GP", "pic_PercentualeGP", "pic_Commissioni"})
            QVERIFY2(paints.value(control(name)) == 0, name);
    }

    // State: results shown. Action: another program breaks a setting; three keys; mend; a key.
    // Expected: one message; the results blank, their tooltips say why; then results again.
    void unreadableSettings_areReportedOnceWhileTyping() {
        type("in_Qta", "100");
        type("in_AcqPzo", "1");
        SqliteDatabase other(file->path(), {"System", "Settaggi"});
        other.Execute(u"UPDATE System SET Commissioni = NULL");
        QTest::keyClicks(control("in_AcqPzo"), QStringLiteral("000"));
        QCOMPARE(watch->take().size(), 1);
        QCOMPARE(control<PicturePanel>("pic_PdP")->accessibleName(), QString());
        QVERIFY(control("pic_PdP")->toolTip().contains(QStringLiteral("errore 94")));
        other.Execute(u"UPDATE System SET Commissioni = 1.9");
        QTest::keyClick(control("in_AcqPzo"), Qt::Key_Backspace);
        QCOMPARE(control<PicturePanel>("pic_PdP")->accessibleName(),
                 "100" + QLocale().decimalPoint() + "38");
        QCOMPARE(control("pic_PdP")->toolTip(), control<PicturePanel>("pic_PdP")->accessibleName());
    }

    // State: results for quantity 100, price 10, sale 11. Action: Settaggio, a new rate, Esci.
    // Expected: the panels show results of the new rate without another key.
    void settingsWindowClose_showsResultsOfTheNewValuesAtOnce() {
        type("in_Qta", "100");
        type("in_AcqPzo", "10");
        type("in_VndPzo", "11");
        watch.reset(); // this test answers the settings window itself
        QTimer::singleShot(0, this, [] {
            QWidget *settings = QApplication::activeModalWidget();
            QWidget *rate = settings->findChild<QWidget *>(QStringLiteral("in_CommissioniPerc"));
            QTest::keyClick(rate, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(rate, QStringLiteral("6"));
            QTest::mouseClick(settings->findChild<QWidget *>(QStringLiteral("Command2")),
                              Qt::LeftButton);
        });
        form->findChild<QAction *>(QStringLiteral("mnu_Settaggio"))->trigger();
        watch = std::make_unique<ModalWatch>();
        QCOMPARE(control("pic_Commissioni")->accessibleName(), QStringLiteral("12,6"));
        QCOMPARE(control("pic_PdP")->accessibleName(), QStringLiteral("10,12"));
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
