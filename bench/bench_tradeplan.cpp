// SPDX-License-Identifier: GPL-3.0-or-later
// One key in "Pianifica operazione" beside one key in the main window, end to end: the key
// events, the recalculation on the real settings file, the answers, the chart and its table
// replaced, the window painted and flushed. Run: build/bench/bench_tradeplan -median 15
// (offscreen); for instruction counts run it under valgrind --tool=callgrind with one of the
// functions named. With MARGINO_SCREENSHOT=file.png it saves the window as set up, in a dark
// palette with MARGINO_DARK=1.

#include "platform/sqlitedatabase.h"
#include "typing.h"
#include "ui/drawnicons.h"
#include "ui/form1.h"
#include "ui/inputnumerico.h"
#include "ui/tradeplanwindow.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace margino;

class BenchTradePlan : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<SqliteDatabase> db;
    std::unique_ptr<Form1> form;
    std::unique_ptr<TradePlanWindow> plan;

    template <typename T = InputNumerico> T *field(QWidget *window, const char *name) {
        return window->findChild<T *>(QString::fromLatin1(name));
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QStringLiteral("it_IT")));
        installStyle(); // as the program starts
        if (qEnvironmentVariableIsSet("MARGINO_DARK")) {
            QPalette dark;
            dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
            dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
            dark.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3a));
            for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
                dark.setColor(role, QColor(0xe8, 0xe8, 0xe8));
            dark.setColor(QPalette::Mid, QColor(0x60, 0x60, 0x60));
            QApplication::setPalette(dark);
        }
        const QString path = dir.filePath(QStringLiteral("DataMg.mgd"));
        QVERIFY(QFile::copy(QStringLiteral(MARGINO_DATA_FILE), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        db = std::make_unique<SqliteDatabase>(
            path, QStringList{QStringLiteral("System"), QStringLiteral("Settaggi")});
        form = std::make_unique<Form1>(*db);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        field(form.get(), "in_Qta")->setValore(QStringLiteral("15"));
        field(form.get(), "in_AcqPzo")->setValore(QStringLiteral("10"));
        field(form.get(), "in_VndPzo")->setValore(QStringLiteral("12"));

        plan = std::make_unique<TradePlanWindow>(*db);
        TradeTexts trade;
        trade.quantity = QStringLiteral("15");
        trade.price = QStringLiteral("10");
        trade.sale = QStringLiteral("12");
        plan->start(trade);
        field(plan.get(), "target")->setValore(QStringLiteral("200"));
        plan->show();
        QVERIFY(QTest::qWaitForWindowExposed(plan.get()));
        QTest::qWait(400); // the chart follows once typing pauses
        if (const QString shot = qEnvironmentVariable("MARGINO_SCREENSHOT"); !shot.isEmpty())
            QVERIFY(plan->grab().save(shot));
    }

    // A quantity key in the main window with a sale price present, as bench_keystroke types it.
    void mainWindowKey() {
        InputNumerico *quantity = field(form.get(), "in_Qta");
        focusForTyping(quantity);
        bool typed = false;
        QBENCHMARK {
            keyAndPaint(quantity, typed);
        }
    }

    // A key in the target: the quantity, the target price by the solver, every answer and its
    // explanation, the chart's series and the table.
    // Under callgrind keys come slowly enough for the pause to pass; it is held off here, as
    // it is while the user types.
    void planWindowKey() {
        plan->findChild<QTimer *>(QStringLiteral("chartPause"))->setInterval(3600000);
        InputNumerico *target = field(plan.get(), "target");
        focusForTyping(target);
        bool typed = false;
        QBENCHMARK {
            keyAndPaint(target, typed);
        }
    }

    // The same key with the chart and its table following at once, as they do when typing
    // pauses or the field is left.
    void planWindowKeyWithChart() {
        plan->findChild<QTimer *>(QStringLiteral("chartPause"))->setInterval(0);
        InputNumerico *target = field(plan.get(), "target");
        focusForTyping(target);
        bool typed = false;
        QBENCHMARK {
            keyAndPaint(target, typed);
        }
    }
};

QTEST_MAIN(BenchTradePlan)
#include "bench_tradeplan.moc"
