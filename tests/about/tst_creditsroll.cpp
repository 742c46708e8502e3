// The credits roll tick by tick: the layout after loading, the first tick's fade, the wrap,
// the roll's period, a fresh start, and the clock that paces the ticks.
#include "about/creditsroll.h"

#include <QTest>

using namespace margino;

namespace {

const QRect CreditsArea(56, 0, 217, 161);
const QSize LineSize(153, 20);

CreditsRoll loadedRoll() {
    CreditsRoll roll;
    roll.load(CreditsArea, LineSize);
    return roll;
}

void tick(CreditsRoll &roll, int times) {
    for (int i = 0; i < times; ++i)
        roll.tick();
}

} // namespace

class TstCreditsRoll : public QObject {
    Q_OBJECT

private slots:
    void load_stacksTheLinesFromTheTopCentredOnTheArea() {
        const CreditsRoll roll = loadedRoll();
        for (int i = 0; i <= CreditsRoll::LastLine; ++i) {
            QCOMPARE(roll.lines()[i].box, QRect(88, 20 * i, 153, 20));
            QVERIFY(!roll.lines()[i].color);
        }
    }

    void firstTick_fadesEachLineByItsHeightAndMovesItUp_data() {
        QTest::addColumn<int>("line");
        QTest::addColumn<QList<int>>("rgb"); // empty: the line keeps the colour it had
        const QList<QList<int>> colours{
            {0, 0, 0},      {12, 37, 63},  {25, 75, 127}, {37, 112, 190}, {50, 149, 253},
            {38, 114, 193}, {25, 76, 130}, {13, 39, 67},  {1, 2, 3},      {}};
        for (int i = 0; i <= CreditsRoll::LastLine; ++i)
            QTest::addRow("line at top %d", 20 * i) << i << colours[i];
    }
    void firstTick_fadesEachLineByItsHeightAndMovesItUp() {
        QFETCH(int, line);
        QFETCH(QList<int>, rgb);
        CreditsRoll roll = loadedRoll();
        roll.tick();
        const RollLine &after = roll.lines()[line];
        QCOMPARE(after.box, QRect(88, 20 * line - 1, 153, 20));
        if (rgb.isEmpty())
            QVERIFY(!after.color);
        else
            QCOMPARE(after.color, (RollColor{rgb[0], rgb[1], rgb[2]}));
    }

    void lineZero_wrapsInTickTwentyOneToJustBeneathTheLastLine() {
        CreditsRoll roll = loadedRoll();
        tick(roll, 20);
        QCOMPARE(roll.lines()[0].box.top(), -20);
        roll.tick();
        QCOMPARE(roll.lines()[0].box.top(), 160);
        QCOMPARE(roll.lines()[0].color, (RollColor{0, 0, 0}));
        QCOMPARE(roll.lines()[9].box.top(), 159);
    }

    void linesInTheArea_standAtTheirFirstTopAgainEvery181Ticks() {
        // Line 9 starts beneath the area (180 > 161) and joins the lap at its first wrap.
        CreditsRoll roll = loadedRoll();
        tick(roll, 181);
        for (int i = 0; i < CreditsRoll::LastLine; ++i)
            QCOMPARE(roll.lines()[i].box.top(), 20 * i);
    }

    void loadAfterTicks_startsFromTheFirstLayout() {
        CreditsRoll roll = loadedRoll();
        tick(roll, 57);
        roll.load(CreditsArea, LineSize);
        const CreditsRoll fresh = loadedRoll();
        for (int i = 0; i <= CreditsRoll::LastLine; ++i) {
            QCOMPARE(roll.lines()[i].box, fresh.lines()[i].box);
            QVERIFY(!roll.lines()[i].color);
        }
    }

    void schedule_keepsSixtyFourTicksASecondAndForgetsAStall() {
        // State: ticks that come exactly when asked. Expected: 64 of them take one second.
        TickSchedule schedule;
        schedule.start(0);
        qint64 nowUs = 0;
        for (int i = 0; i < 64; ++i)
            nowUs += schedule.next(nowUs) * 1000;
        QVERIFY2(nowUs >= 1000000 && nowUs < 1001000, qPrintable(QString::number(nowUs)));
        // A tick two periods late: the next one is due at once, catching up.
        nowUs += 2 * TickSchedule::PeriodUs;
        QCOMPARE(schedule.next(nowUs), 0);
        // A stall of a second: the count starts again, one period from now.
        nowUs += 1000000;
        QCOMPARE(schedule.next(nowUs), 16);
    }
};

QTEST_GUILESS_MAIN(TstCreditsRoll)
#include "tst_creditsroll.moc"
