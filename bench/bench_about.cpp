// SPDX-License-Identifier: GPL-3.0-or-later
// What the About window's roll costs: its CPU time a second as it runs, and one tick against
// its 15.6 ms budget, the arithmetic alone and the window moving, recolouring and repainting.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_about [-median 9]
#include "about/creditsroll.h"
#include "ui/frmabout.h"

#include <QElapsedTimer>
#include <QTest>
#include <ctime>

using namespace margino;

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

    // The roll as it runs: its window open for two seconds, ticking on its own timer, painted
    // and flushed; the CPU time this thread spends a second.
    void rollCpuPerSecond() {
        FrmAbout about(nullptr, SystemInfoTools{});
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const auto cpuMs = [] {
            timespec now{};
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
            return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
        };
        QElapsedTimer clock;
        clock.start();
        const double start = cpuMs();
        QTest::qWait(2000);
        const double seconds = clock.nsecsElapsed() / 1e9;
        qInfo("roll: %.1f ms of CPU a second", (cpuMs() - start) / seconds);
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
