// SPDX-License-Identifier: GPL-3.0-or-later
// The credits roll tick by tick: the layout after loading, the first tick's fade, the wrap,
// and the clock that paces the ticks.
#include "about/creditsroll.h"

#include <QTest>

using namespace margino;

class TstCreditsRoll : public QObject {
    Q_OBJECT

    CreditsRoll roll;

private slots:
    void init() { roll.load(QRect(56, 0, 217, 161), QSize(153, 20)); }

    void firstTick_fadesEachLineByItsHeight_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QList<int>>("rgb"); // empty: the line keeps the colour it had
        const QList<QList<int>> colours{
            {0, 0, 0},      {12, 37, 63},  {25, 75, 127}, {37, 112, 190}, {50, 149, 253},
            {38, 114, 193}, {25, 76, 130}, {13, 39, 67},  {1, 2, 3},      {}};
        for (int i = 0; i <= CreditsRoll::LastLine; ++i)
            QTest::addRow("line at top %d", 20 * i) << i << colours[i];
    }
    void firstTick_fadesEachLineByItsHeight() {
        QFETCH(int, line);
        QFETCH(QList<int>, rgb);
        // State: loaded. Expected: 20 pixels apart, centred on the area, no colour of their own.
        QCOMPARE(roll.lines()[line].box, QRect(88, 20 * line, 153, 20));
        QVERIFY(!roll.lines()[line].color);
        roll.tick();
        QCOMPARE(roll.lines()[line].box.top(), 20 * line - 1);
        if (rgb.isEmpty())
            QVERIFY(!roll.lines()[line].color);
        else
            QCOMPARE(roll.lines()[line].color, (RollColor{rgb[0], rgb[1], rgb[2]}));
    }

    void lineZero_wrapsInTickTwentyOneToJustBeneathTheLastLine() {
        for (int i = 0; i < 20; ++i)
            roll.tick();
        QCOMPARE(roll.lines()[0].box.top(), -20);
        roll.tick();
        QCOMPARE(roll.lines()[0].box.top(), 160);
        QCOMPARE(roll.lines()[0].color, (RollColor{0, 0, 0}));
        QCOMPARE(roll.lines()[9].box.top(), 159);
    }

    void schedule_keepsSixtyFourTicksASecond() {
        // State: ticks that come exactly when asked. Expected: 64 of them take one second.
        TickSchedule schedule;
        schedule.start(0);
        qint64 nowUs = 0;
        for (int i = 0; i < 64; ++i)
            nowUs += schedule.next(nowUs) * 1000;
        QVERIFY2(nowUs >= 1000000 && nowUs < 1001000, qPrintable(QString::number(nowUs)));
    }
};

QTEST_GUILESS_MAIN(TstCreditsRoll)
#include "tst_creditsroll.moc"
