// SPDX-License-Identifier: GPL-3.0-or-later
// What the About window's roll costs beside its floor (a widget of the view's size filled at each
// tick): CPU time a second as both run, and one tick's instructions under -callgrind.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_about [rollAndFloorCpuPerSecond]
//      QT_QPA_PLATFORM=offscreen build/bench/bench_about tickPainted -callgrind -iterations 64
#include "about/creditsroll.h"
#include "threadcpu.h"
#include "ui/frmabout.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <algorithm>
#include <utility>

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

// Counts the paint events a widget gets while it lives.
class FrameCount : public QObject {
public:
    FrameCount(QWidget &widget, int &count) : widget_(widget), count_(count) {
        widget.installEventFilter(this);
    }
    ~FrameCount() override { widget_.removeEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override {
        count_ += event->type() == QEvent::Paint;
        return false;
    }

private:
    QWidget &widget_;
    int &count_;
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
        // A new window each round, shown and settled before the second measured. The second
        // runs an event loop as the program does: QTest::qWait sleeps 10 ms between passes, which
        // would drop ticks from the floor and bunch the roll's.
        int frames = 0;
        const auto perSecond = [&](QWidget &window, QWidget &painted) {
            window.show();
            if (!QTest::qWaitForWindowExposed(&window))
                qFatal("the window was not shown");
            QTest::qWait(100);
            FrameCount count(painted, frames);
            QElapsedTimer clock;
            clock.start();
            const double start = threadCpuMs();
            QEventLoop second;
            QTimer::singleShot(1000, Qt::PreciseTimer, &second, &QEventLoop::quit);
            second.exec();
            return (threadCpuMs() - start) / (clock.nsecsElapsed() / 1e9);
        };
        QList<double> floor, roll;
        int floorFrames = 0, rollFrames = 0;
        for (int round = 0; round < 5; ++round) {
            {
                FrmAbout about(nullptr, SystemInfoTools{});
                roll << perSecond(about, *about.findChild<QWidget *>(QStringLiteral("rollView")));
                rollFrames += std::exchange(frames, 0);
            }
            QWidget floorWindow;
            FrmAbout sized(nullptr, SystemInfoTools{});
            floorWindow.resize(sized.size());
            TickingFill fill(&floorWindow);
            fill.setGeometry(sized.findChild<QWidget *>(QStringLiteral("rollView"))->geometry());
            floor << perSecond(floorWindow, fill);
            floorFrames += std::exchange(frames, 0);
        }
        std::sort(floor.begin(), floor.end());
        std::sort(roll.begin(), roll.end());
        qInfo("CPU a second (medians of 5): floor %.1f ms, roll %.1f ms", floor[2], roll[2]);
        qInfo("frames painted a second: floor %.1f, roll %.1f", floorFrames / 5.0,
              rollFrames / 5.0);
    }

    // One tick painted and flushed, the roll's against the floor's: for -callgrind.
    void tickPainted_data() {
        QTest::addColumn<bool>("roll");
        QTest::newRow("floor") << false;
        QTest::newRow("roll") << true;
    }
    void tickPainted() {
        QFETCH(bool, roll);
        FrmAbout about(nullptr, SystemInfoTools{});
        QWidget *view = about.findChild<QWidget *>(QStringLiteral("rollView"));
        TickingFill fill(&about);
        fill.setGeometry(view->geometry());
        (roll ? fill : *view).hide();
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QBENCHMARK {
            if (roll) {
                QMetaObject::invokeMethod(&about, "Timer1_Timer");
                view->repaint();
            } else {
                fill.repaint();
            }
        }
    }
};

QTEST_MAIN(BenchAbout)
#include "bench_about.moc"
