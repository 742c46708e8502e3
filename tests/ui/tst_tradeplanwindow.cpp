// SPDX-License-Identifier: GPL-3.0-or-later
// "Pianifica operazione" as a user meets it: opened from the main window by keyboard, its stop
// taken from the price, its answers named and explained, its chart marked, its "Usa" buttons
// typing into the main window.
#include "support/mainwindow.h"
#include "ui/gainchart.h"
#include "ui/inputnumerico.h"
#include "ui/planfigure.h"
#include "ui/tradeplanwindow.h"

#include <QCheckBox>
#include <QGraphicsObject>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

using namespace margino;

class TstTradePlanWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> w;

    void type(const char *name, const QString &keys) const { w->type(name, keys); }
    static QString local(const QString &text) { return MainWindowFixture::local(text); }
    // Opens the window with Ctrl+P and runs `inside` while it shows; `inside` closes it.
    void inPlanWindow(const std::function<void(TradePlanWindow *)> &inside) {
        bool ran = false;
        QTimer::singleShot(0, this, [&] {
            auto *window = qobject_cast<TradePlanWindow *>(QApplication::activeModalWidget());
            QVERIFY(window);
            // Offscreen the modal window is activated later; focus moves need it active now.
            QApplication::setActiveWindow(window);
            ran = true;
            inside(window);
        });
        QTest::keyClick(w->form.get(), Qt::Key_P, Qt::ControlModifier);
        QVERIFY(ran);
    }
    static QString spoken(QWidget *window, int answer) {
        return MainWindowFixture::spokenOf(
            child(window, qPrintable(QStringLiteral("answer%1").arg(answer))));
    }
    // Space on a control with the focus, as a keyboard user presses it.
    static void press(QWidget *window, const char *name) {
        QWidget *control = child(window, name);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Space);
    }
    static void retype(QWidget *window, const char *name, const QString &keys) {
        child(window, name)->setFocus();
        ::retype(child(window, name), keys);
    }

private slots:
    void init() { w = std::make_unique<MainWindowFixture>(); }
    void cleanup() {
        QVERIFY2(w->watch.seen().isEmpty(), qPrintable(w->watch.describe()));
        w.reset();
    }

    void stopFromThePrice_sizesWithNoQuantityTyped_data() {
        QTest::addColumn<QString>("amount");
        QTest::newRow("it") << "1.860,00\u00a0€";
        QTest::newRow("en") << "€1,860.00";
    }
    // State: only the price 10 typed in the main window; shipped settings. Action: Ctrl+P, a
    // net gain of 200 typed as the target, Enter. Expected: stop 9,5 from the 5 % setting,
    // budget 100, 186 shares, target 11,1154, ratio 2,00; Enter types both into the main window.
    void stopFromThePrice_sizesWithNoQuantityTyped() {
        QFETCH(QString, amount);
        type("in_AcqPzo", "10");
        QStringList fields;
        QString shownAmount, title, explanation, description;
        QStringList names;
        inPlanWindow([&](TradePlanWindow *window) {
            title = window->windowTitle();
            for (const char *name : {"price", "stop", "budget", "capital"})
                fields << child<InputNumerico>(window, name)->Valore();
            QTest::keyClicks(child(window, "target"), "200");
            for (int answer : {0, 4, 7})
                names << spoken(window, answer);
            shownAmount = child<PlanFigure>(window, "answer1")->text();
            // Built when asked: as the pointer resting on it and a screen reader get it.
            explanation = MainWindowFixture::toolTipOf(child(window, "answer4"));
            description = MainWindowFixture::descriptionOf(child(window, "answer4"));
            QTest::keyClick(child(window, "target"), Qt::Key_Return);
        });
        QCOMPARE(title, "Pianifica operazione");
        QCOMPARE(fields, (QStringList{"10", local("9,5"), "100", ""}));
        QCOMPARE(names, (QStringList{"Quantità, 186 azioni",
                                     "Prezzo obiettivo, " + local("11,1154") + " euro",
                                     "Rendimento/rischio, " + local("2,00")}));
        QCOMPARE(shownAmount, amount);
        QVERIFY2(explanation.contains(local("11,1153")), qPrintable(explanation));
        QCOMPARE(description, explanation);
        QCOMPARE(w->control<InputNumerico>("in_Qta")->Valore(), "186");
        QCOMPARE(w->control<InputNumerico>("in_VndPzo")->Valore(), local("11,1154"));
        QCOMPARE(MainWindowFixture::spokenOf(w->control("pic_GP")), "Guadagno, 200 euro");
    }

    // State: price 10, the main window's transaction tax (0,2 %) switched on. Action: Ctrl+P.
    // Expected: the tax counts in the loss at the stop: 179 shares (89,50 + 3,40 + 3,23 +
    // 3,58 = 99,71 €; 180 would lose 100,27 €), purchase costs 3,40 + 3,58 = 6,98 €.
    void transactionTax_countsAsTheMainWindowSwitchSays() {
        type("in_AcqPzo", "10");
        w->control("transactionTax")->setFocus();
        QTest::keyClick(w->control("transactionTax"), Qt::Key_Space);
        QStringList names;
        inPlanWindow([&](TradePlanWindow *window) {
            names << spoken(window, 0) << spoken(window, 2) << spoken(window, 3);
            QTest::keyClick(window, Qt::Key_Escape);
        });
        QCOMPARE(names, (QStringList{"Quantità, 179 azioni", "Costi di acquisto, 6,98 euro",
                                     "Perdita allo stop, 99,71 euro"}));
    }

    void stop_refusedWithAMessage_data() {
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QString>("message");
        for (const auto &[row, stop, message] :
             {std::tuple{"empty", "", "Inserisci il prezzo di stop"},
              {"zero", "0", "Il prezzo di stop deve essere maggiore di zero"},
              {"too high", "11", "deve stare sotto il prezzo di acquisto"}})
            QTest::newRow(row) << QString(stop) << QString(message);
    }
    // State: price 10 in the main window. Action: the stop retyped. Expected: no quantity, the
    // message says why, nothing to use; Esc closes and the main window is untouched.
    void stop_refusedWithAMessage() {
        QFETCH(QString, stop);
        QFETCH(QString, message);
        type("in_AcqPzo", "10");
        QString said, name;
        bool usable = true;
        inPlanWindow([&](TradePlanWindow *window) {
            retype(window, "stop", stop);
            said = child<PlanFigure>(window, "message")->text();
            name = spoken(window, 0);
            usable = child(window, "useQuantity")->isEnabled();
            QTest::keyClick(window, Qt::Key_Escape);
        });
        QVERIFY2(said.contains(message), qPrintable(said));
        QCOMPARE(name, "Quantità, nessun valore");
        QVERIFY(!usable);
        QCOMPARE(w->control<InputNumerico>("in_Qta")->Valore(), QString());
    }

    // State: a sale price of 12 and no purchase price in the main window. Action: Ctrl+P; a
    // price of 10 and a target of 200 € typed there, Tab. Expected: no curve and no axis
    // numbering an empty range at first; then both axes, the mark series at the stop, the
    // break-even, the target and the sale, the gain line from below the stop to above the
    // target, and the table listing the marks.
    void chart_marksTheKeyPricesAndShowsNoAxesWithoutAPrice() {
        type("in_VndPzo", "12");
        QStringList shown, drawn, rows;
        QMap<QString, double> marks;
        double first = 0, last = 0;
        // The chart's axes, as the objects its scene holds.
        const auto axes = [](const QWidget *window) {
            QStringList visible;
            for (const auto *view : window->findChildren<QGraphicsView *>())
                for (QGraphicsItem *item : view->scene()->items())
                    if (const QGraphicsObject *chart = item->toGraphicsObject())
                        for (const QObject *o : chart->findChildren<QObject *>())
                            if (o->inherits("QAbstractAxis") && o->property("visible").toBool())
                                visible << QString::fromLatin1(o->metaObject()->className());
            return visible;
        };
        inPlanWindow([&](TradePlanWindow *window) {
            const GainChart *chart = window->chart();
            QVERIFY(chart);
            shown = axes(window);
            QVERIFY(chart->points("Guadagno netto").isEmpty());
            retype(window, "price", "10");
            retype(window, "target", "200");
            QTest::keyClick(child(window, "target"), Qt::Key_Tab); // leaving it draws the chart
            drawn = axes(window);
            for (const char *name : {"Stop", "Pareggio", "Obiettivo", "Vendita"}) {
                const QList<QPointF> mark = chart->points(QString::fromUtf8(name));
                marks[QString::fromUtf8(name)] = mark.size() == 1 ? mark[0].x() : -1;
            }
            first = chart->points("Perdita").first().x();
            last = chart->points("Guadagno netto").last().x();
            auto *table = child<QTableWidget>(window, "points");
            for (int row = 0; row < table->rowCount(); ++row)
                rows << table->item(row, 0)->text();
            QTest::keyClick(window, Qt::Key_Escape);
        });
        QCOMPARE(shown, QStringList());
        QCOMPARE(drawn.size(), 2);
        QCOMPARE(marks.value("Stop"), 9.5);
        QCOMPARE(marks.value("Pareggio"), 10.0381);
        QCOMPARE(marks.value("Obiettivo"), 11.1154);
        QCOMPARE(marks.value("Vendita"), 12.0);
        QVERIFY(first < 9.5 && last > 12.0);
        QCOMPARE(rows.mid(0, 4), (QStringList{"Stop", "Pareggio", "Obiettivo", "Vendita"}));
    }

    // State: quantity 100 and price 10 in the main window. Action: Space on "Usa la quantità
    // attuale", a sale price target of 11, Space on "Usa il prezzo obiettivo", Esc.
    // Expected: the plan is for 100 shares, the quantity's "Usa" is off, the sale price typed.
    void currentQuantity_andTheTargetsUsa() {
        type("in_Qta", "100");
        type("in_AcqPzo", "10");
        QString quantity;
        bool quantityUsable = true;
        inPlanWindow([&](TradePlanWindow *window) {
            press(window, "current");
            auto *kind = child(window, "kind");
            kind->setFocus();
            QTest::keyClick(kind, Qt::Key_Up); // "Prezzo di vendita"
            QTest::keyClicks(child(window, "target"), "11");
            quantity = spoken(window, 0);
            quantityUsable = child(window, "useQuantity")->isEnabled();
            press(window, "useTarget");
            QTest::keyClick(window, Qt::Key_Escape);
        });
        QCOMPARE(quantity, "Quantità, 100 azioni");
        QVERIFY(!quantityUsable);
        QCOMPARE(w->control<InputNumerico>("in_VndPzo")->Valore(), "11");
        QCOMPARE(w->control<InputNumerico>("in_Qta")->Valore(), "100");
    }
};

QTEST_MAIN(TstTradePlanWindow)
#include "tst_tradeplanwindow.moc"
