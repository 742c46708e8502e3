// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's figures as a user meets them: typed key by key, shown whole, repainted when
// they change, explained and copied.
#include "platform/filechangewatch.h"
#include "support/mainwindow.h"
#include "ui/amountlabel.h"
#include "ui/inputnumerico.h"
#include "ui/picturepanel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

using namespace margino;

namespace {

// Counts the paint events each watched widget receives.
class PaintCounter : public QObject {
public:
    QMap<QObject *, int> paints;
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++paints[watched];
        return false;
    }
};

} // namespace

class TstResultFigures : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> w;

    template <typename T = QWidget> T *control(const char *name) const {
        return w->control<T>(name);
    }
    void type(const char *name, const QString &keys) const { w->type(name, keys); }
    static QString local(const QString &text) { return MainWindowFixture::local(text); }
    QString toolTip(const char *name) const { return MainWindowFixture::toolTipOf(control(name)); }
    QString clipboardAfter(QWidget *focus, QKeyCombination keys) {
        QGuiApplication::clipboard()->setText("stale");
        focus->setFocus();
        QTest::keyClick(focus, keys.key(), keys.keyboardModifiers());
        return QGuiApplication::clipboard()->text();
    }

private slots:
    void init() { w = std::make_unique<MainWindowFixture>(); }
    void cleanup() {
        QVERIFY2(w->watch.seen().isEmpty(), qPrintable(w->watch.describe()));
        w.reset();
    }

    void locales_data() {
        QTest::addColumn<int>("unused");
        QTest::newRow("it") << 0;
        QTest::newRow("en") << 0;
    }

    void typing_showsEveryFigureWhole_data() { locales_data(); }
    // State: a fresh window. Action: a trade whose amount is too wide for its label at the
    // layout's font and whose commissions are too long for a panel. Expected: every integer
    // digit on screen; the full figures for assistive technology and Ctrl+C.
    void typing_showsEveryFigureWhole() {
        type("in_Qta", "12345");
        type("in_AcqPzo", local("123,4567"));
        auto *amount = control<AmountLabel>("lab_AcqImp");
        QCOMPARE(amount->shownText(), local("1524072,9615"));
        QVERIFY(amount->fontMetrics().horizontalAdvance(amount->shownText()) < amount->width());
        type("in_Qta", "999999999");
        type("in_AcqPzo", "99999");
        QCOMPARE(MainWindowFixture::spokenOf(amount), "Importo di acquisto, 99998999900001 euro");
        QCOMPARE(amount->shownText(), local("9,9999E+13"));
        QVERIFY(amount->fontMetrics().horizontalAdvance(amount->shownText()) < amount->width());
        type("in_VndPzo", "99999");
        auto *panel = control<PicturePanel>("pic_Commissioni");
        QCOMPARE(MainWindowFixture::spokenOf(panel),
                 "Commissioni, " + local("379996199620,004") + " euro");
        QCOMPARE(w->onScreen(panel), w->drawn(local("3,8E+11")));
        QCOMPARE(clipboardAfter(panel, Qt::CTRL | Qt::Key_C), local("379996199620,004"));
        QCOMPARE(clipboardAfter(amount, Qt::CTRL | Qt::Key_C), "99998999900001");
    }

    // State: quantity and price typed, no sale price. Action: one more digit of the price.
    // Expected: the purchase panels show their new figures on screen; the sale panels, whose
    // captions stay blank, are not even repainted.
    void key_repaintsOnlyThePanelsWhoseFiguresChanged() {
        type("in_Qta", "100");
        type("in_AcqPzo", "1");
        PaintCounter counter;
        for (PicturePanel *panel : w->form->findChildren<PicturePanel *>())
            panel->installEventFilter(&counter);
        QTest::keyClicks(control("in_AcqPzo"), "0");
        QCOMPARE(w->onScreen(control("pic_PdP")), w->drawn("10,059"));
        for (const char *name : {"pic_PdP", "pic_SLP", "pic_SLMM"})
            QVERIFY2(counter.paints.value(control(name)) > 0, name);
        for (const char *name : {"pic_GP", "pic_PercentualeGP", "pic_Commissioni"})
            QVERIFY2(counter.paints.value(control(name)) == 0, name);
    }

    void amountBoxes_showTheNewAmountOnScreen_data() { locales_data(); }
    // State: quantity and price typed. Action: one more digit of the quantity, then of the
    // price. Expected: on screen, each amount box shows what it draws for the new amount.
    void amountBoxes_showTheNewAmountOnScreen() {
        type("in_Qta", "100");
        type("in_AcqPzo", "1");
        type("in_VndPzo", "2");
        auto *purchase = control<AmountLabel>("lab_AcqImp");
        auto *sale = control<AmountLabel>("lab_VndImp");
        for (const char *field : {"in_Qta", "in_AcqPzo"}) {
            QTest::keyClicks(control(field), "5");
            for (AmountLabel *box : {purchase, sale}) {
                const QImage fresh =
                    box->grab(box->contentsRect()).toImage().convertToFormat(QImage::Format_RGB32);
                QVERIFY2(w->onScreen(box) == fresh, qPrintable(box->objectName()));
            }
        }
        QCOMPARE(purchase->shownText(), local("15075"));
    }

    void amountBoxes_drawTheirTextAsAPainterWould_data() {
        locales_data();
        QTest::newRow("fa") << 0;
    }
    // State: amounts shown, some in a smaller font; in Persian, with a decimal separator the
    // box's face lacks. Action: new amounts. Expected: each box's inside, blended from its
    // glyphs' kept ink, has the pixels of its text drawn by a painter, separator included.
    void amountBoxes_drawTheirTextAsAPainterWould() {
        control<InputNumerico>("in_AcqPzo")->setValore(local("123,4567"));
        control<InputNumerico>("in_VndPzo")->setValore("2");
        for (const char *quantity : {"12345", "7", "908", "1111", "46"}) {
            control<InputNumerico>("in_Qta")->setValore(quantity);
            for (AmountLabel *box : w->form->findChildren<AmountLabel *>()) {
                const QRect inside = box->contentsRect();
                QImage expected(box->size(), QImage::Format_RGB32);
                expected.fill(box->palette().color(QPalette::Window));
                QPainter painter(&expected);
                painter.setFont(box->font());
                painter.setPen(box->palette().color(QPalette::WindowText));
                const QFontMetrics metrics = box->fontMetrics();
                int width = 0;
                for (const QChar c : box->shownText())
                    width += metrics.horizontalAdvance(c);
                painter.drawText(
                    QPoint(inside.right() + 1 - AmountLabel::Margin - width,
                           inside.top() +
                               (inside.height() + metrics.ascent() - metrics.descent()) / 2),
                    box->shownText());
                painter.end();
                QCOMPARE(box->grab(inside).toImage().convertToFormat(QImage::Format_RGB32),
                         expected.copy(inside));
            }
        }
    }

    void loneSeparatorInAPrice_blanksItsSideWithoutAMessage_data() { locales_data(); }
    // State: a quantity typed. Action: the decimal separator alone as the purchase price.
    // Expected: no message; the purchase figures blank, saying the price is missing or wrong.
    void loneSeparatorInAPrice_blanksItsSideWithoutAMessage() {
        type("in_Qta", "100");
        QTest::keyClicks(control("in_AcqPzo"), local(","));
        QCOMPARE(control<InputNumerico>("in_AcqPzo")->Valore(), local(","));
        QCOMPARE(w->onScreen(control("pic_PdP")), w->drawn(QString()));
        QVERIFY(w->watch.seen().isEmpty());
        QTest::keyClicks(control("in_VndPzo"), local(","));
        QCOMPARE(w->onScreen(control("pic_GP")), w->drawn(QString()));
    }

    // State: quantity 100, price 10, shipped settings; then no price, a quantity of 0, none.
    // Expected: each figure's tooltip shows how it was obtained; a blank one what is missing or
    // wrong, and it copies as nothing.
    void figures_explainThemselvesAndBlankOnesSayWhatIsMissing() {
        type("in_Qta", "100");
        type("in_AcqPzo", "10");
        QCOMPARE(toolTip("pic_PdP"),
                 QStringLiteral("1000 + acquisto (1000 × 1,9 ‰ = 1,9 → minimo 2,95) + vendita "
                                "(1005,9 × 1,9 ‰ = 1,91121 → minimo 2,95) = 1005,9 ÷ 100 = "
                                "10,059"));
        QCOMPARE(toolTip("pic_SLMM"),
                 QStringLiteral("(1000 − 100) ÷ 100 = 9 (arrotondato a 4 decimali)\nPerdita a "
                                "questo prezzo, costi inclusi: 105,90 €"));
        QCOMPARE(MainWindowFixture::descriptionOf(control("pic_PdP")), toolTip("pic_PdP"));
        QCOMPARE(toolTip("pic_GP"), "Inserisci il prezzo di vendita");
        QCOMPARE(clipboardAfter(control("pic_GP"), Qt::CTRL | Qt::Key_C), QString());
        type("in_AcqPzo", "");
        QCOMPARE(toolTip("pic_PdP"), "Inserisci il prezzo di acquisto");
        type("in_AcqPzo", "10");
        type("in_Qta", "0");
        QCOMPARE(toolTip("pic_PdP"), "La quantità deve essere maggiore di zero");
        type("in_Qta", "");
        QCOMPARE(toolTip("pic_PdP"), "Inserisci la quantità");
    }

    void settingsChangedElsewhere_showWithoutAKey_data() { locales_data(); }
    // State: a trade typed. Action: another program raises the commission rate to 20 ‰; no
    // key. Expected: the commissions panel shows the new charges, 20 ‰ of 1000 and of 1100.
    void settingsChangedElsewhere_showWithoutAKey() {
        if (!FileChangeWatch(w->file.path()).watching())
            QSKIP("the temporary folder's file system sends no trusted notices");
        type("in_Qta", "100");
        type("in_AcqPzo", "10");
        type("in_VndPzo", "11");
        QCOMPARE(w->onScreen(control("pic_Commissioni")), w->drawn(local("5,9")));
        SqliteDatabase(w->file.path(), {}).Execute(u"UPDATE System SET Commissioni = 20");
        QTRY_COMPARE(w->onScreen(control("pic_Commissioni")), w->drawn("42"));
    }

    void copiedBlock_givesEveryFigureAndSettingWithTheTaxBesideTheCommissions_data() {
        locales_data();
    }
    // State: nothing typed; then the transaction tax switched on with Alt+I, a whole trade
    // typed; then Alt+I again. Action: Ctrl+Shift+C. Expected: the block, with each cost part
    // and every setting (before any input, the results' lines empty); the switch names the
    // rate; the tax counts in the gain and the break-even, not in the commissions, until it is
    // switched off.
    void copiedBlock_givesEveryFigureAndSettingWithTheTaxBesideTheCommissions() {
        const QString before = clipboardAfter(control("cmd_Ok"), Qt::CTRL | Qt::SHIFT | Qt::Key_C);
        QVERIFY2(before.startsWith("Quantità: \n") && before.contains("\nPunto di pareggio: \n") &&
                     before.contains(local("\nCommissioni minime (€): 2,95\n")),
                 qPrintable(before));
        auto *box = control<QCheckBox>("transactionTax");
        QCOMPARE(box->text(), local("&Imposta sulle transazioni (0,2 %)"));
        QVERIFY(box->accessibleName().startsWith("Imposta sulle transazioni"));
        QVERIFY(!box->isChecked());
        // A mnemonic clicks as the mouse would, a moment later.
        QTest::keyClick(w->form.get(), Qt::Key_I, Qt::AltModifier);
        QTRY_VERIFY(box->isChecked());
        type("in_Qta", "100");
        type("in_AcqPzo", "10");
        type("in_VndPzo", "11");
        QCOMPARE(clipboardAfter(control("in_Qta"), Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                 local("Quantità: 100 azioni\nPrezzo di acquisto: 10 €\nPrezzo di vendita: 11 €\n"
                       "Importo di acquisto: 1000 €\nImporto di vendita: 1100 €\n"
                       "Punto di pareggio: 10,079 €\nStop loss percentuale: 9,5 €\n"
                       "Stop loss money management: 9 €\nGuadagno: 92,1 €\n% Guadagno: 9 %\n"
                       "Commissioni: 5,9 €\nGuadagno netto dopo le imposte (26 %): 67,63 €\n"
                       "Commissione di acquisto: 1000 × 1,9 ‰ = 1,9 → minimo 2,95 €\n"
                       "Commissione di vendita: 1100 × 1,9 ‰ = 2,09 → minimo 2,95 €\n"
                       "Imposta sulle transazioni: 0,2 % × 1000 = 2 €\n"
                       "Commissioni (‰): 1,9\nCommissioni minime (€): 2,95\n"
                       "Capital gain (%): 26\nStop loss (%): 5\nM.M. stop loss (€): 100\n"
                       "Massimo per ordine (€): 0\nMassimo in % dell'ordine (%): 0\n"
                       "Parte fissa per ordine (€): 0\nImporto per azione (€): 0\n"
                       "Imposta sulle transazioni (%): 0,2\n"));
        QCOMPARE(toolTip("pic_GP"),
                 local("1100 − 1000 − 5,9 − 2 = 92,1 (arrotondato a 2 decimali)\n"
                       "Imposta sulle transazioni 0,2 % × 1000 = 2\n"
                       "Netto dopo le imposte: 92,1 − (26 % × 94,1 = 24,466 → 24,47) = 67,63"));
        QTest::keyClick(w->form.get(), Qt::Key_I, Qt::AltModifier);
        QTRY_COMPARE(MainWindowFixture::spokenOf(control("pic_GP")),
                     "Guadagno, " + local("94,1") + " euro");
        QCOMPARE(MainWindowFixture::spokenOf(control("pic_PdP")),
                 "Punto di pareggio, " + local("10,059") + " euro");
        QCOMPARE(MainWindowFixture::spokenOf(control("pic_Commissioni")),
                 "Commissioni, " + local("5,9") + " euro");
    }

    // State: results shown. Action: another program breaks a setting; three keys; mend; a key.
    // Expected: one message; the results blank, their tooltips say why; then results again.
    void unreadableSettings_areReportedOnceWhileTyping() {
        type("in_Qta", "100");
        type("in_AcqPzo", "1");
        SqliteDatabase other(w->file.path(), {"System", "Settaggi"});
        // Saved by another program; the event loop takes the notice before the next key.
        const auto elsewhere = [&](const char16_t *update) {
            other.Execute(update);
            QCoreApplication::processEvents();
        };
        elsewhere(u"UPDATE System SET Commissioni = NULL");
        QTest::keyClicks(control("in_AcqPzo"), "000");
        QCOMPARE(w->watch.take().size(), 1);
        QCOMPARE(w->onScreen(control("pic_PdP")), w->drawn(QString()));
        QVERIFY(toolTip("pic_PdP").contains("errore 94"));
        elsewhere(u"UPDATE System SET Commissioni = 1.9");
        QTest::keyClick(control("in_AcqPzo"), Qt::Key_Backspace);
        QCOMPARE(MainWindowFixture::spokenOf(control("pic_PdP")),
                 "Punto di pareggio, 100,38073 euro");
        // Broken again after the mend: reported again, once.
        elsewhere(u"UPDATE System SET Commissioni = NULL");
        QTest::keyClicks(control("in_AcqPzo"), "00");
        QCOMPARE(w->watch.take().size(), 1);
    }

    // State: results for quantity 100, price 10, sale 11. Action: Settaggio, a new rate, Esci.
    // Expected: the panels show results of the new rate without another key.
    void settingsWindowClose_showsResultsOfTheNewValuesAtOnce() {
        type("in_Qta", "100");
        type("in_AcqPzo", "10");
        type("in_VndPzo", "11");
        QTimer::singleShot(0, this, [] {
            QWidget *settings = QApplication::activeModalWidget();
            QWidget *rate = settings->findChild<QWidget *>("in_CommissioniPerc");
            QTest::keyClick(rate, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(rate, "6");
            QTest::mouseClick(settings->findChild<QWidget *>("Command2"), Qt::LeftButton);
        });
        w->form->findChild<QAction *>("mnu_Settaggio")->trigger();
        QCOMPARE(MainWindowFixture::spokenOf(control("pic_Commissioni")), "Commissioni, 12,6 euro");
        QCOMPARE(MainWindowFixture::spokenOf(control("pic_PdP")),
                 "Punto di pareggio, 10,120725 euro");
    }
};

QTEST_MAIN(TstResultFigures)
#include "tst_resultfigures.moc"
