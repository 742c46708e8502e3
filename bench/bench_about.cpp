// SPDX-License-Identifier: GPL-3.0-or-later
// What the About window's roll costs: its CPU time a second as it runs, and one tick against
// its 15.6 ms budget, the arithmetic alone and the window moving, recolouring and repainting.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_about [-median 9]
#include "about/creditsroll.h"
#include "ui/frmabout.h"

#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <ctime>

using namespace margino;

namespace {

// A widget filled with one colour and flushed at every tick of the roll's timer.
class TickingFill : public QWidget {
public:
    explicit TickingFill(QWidget *parent) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(int(TickSchedule::PeriodUs / 1000));
        connect(&timer_, &QTimer::timeout, this, [this] { update(); });
        timer_.start();
    }

protected:
    void paintEvent(QPaintEvent *event) override {
        QPainter(this).fillRect(event->rect(), Qt::black);
    }

private:
    QTimer timer_;
};

} // namespace

class BenchAbout : public QObject {
    Q_OBJECT

private slots:
    void rollArithmetic() {
        CreditsRoll roll;
        roll.load(QRect(56, 0, 217, 161), QSize(153, 20));
        QBENCHMARK {
            roll.tick();
        }
    }

    // The roll as it runs beside its floor, each window open in turn for a second, five times:
    // the CPU time this thread spends a second, medians. The floor is the cheapest Qt program
    // doing the same: a widget of the view's size filled and flushed at each tick of the
    // same timer.
    void rollAndFloorCpuPerSecond() {
        const auto cpuMs = [] {
            timespec now{};
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
            return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
        };
        // A new window each round, shown and settled before the second measured.
        const auto perSecond = [&](QWidget &window) {
            window.show();
            if (!QTest::qWaitForWindowExposed(&window))
                qFatal("the window was not shown");
            QTest::qWait(100);
            QElapsedTimer clock;
            clock.start();
            const double start = cpuMs();
            QTest::qWait(1000);
            return (cpuMs() - start) / (clock.nsecsElapsed() / 1e9);
        };
        QList<double> floor, roll;
        for (int round = 0; round < 5; ++round) {
            {
                FrmAbout about(nullptr, SystemInfoTools{});
                roll << perSecond(about);
            }
            QWidget floorWindow;
            FrmAbout sized(nullptr, SystemInfoTools{});
            floorWindow.resize(sized.size());
            TickingFill fill(&floorWindow);
            fill.setGeometry(sized.findChild<QWidget *>(QStringLiteral("rollView"))->geometry());
            floor << perSecond(floorWindow);
        }
        std::sort(floor.begin(), floor.end());
        std::sort(roll.begin(), roll.end());
        qInfo("CPU a second (medians of 5): floor %.1f ms, roll %.1f ms", floor[2], roll[2]);
    }

    void windowTickAndRepaint() {
        FrmAbout about(nullptr, SystemInfoTools{});
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QBENCHMARK {
            QMetaObject::invokeMethod(&about, "Timer1_Timer");
            about.repaint();
        }
    }
};

QTEST_MAIN(BenchAbout)
#include "bench_about.moc"
