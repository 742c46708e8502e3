// SPDX-License-Identifier: GPL-3.0-or-later
// What one tick of the About window's roll costs against its 15.6 ms budget: the arithmetic
// alone, and the window moving, recolouring and repainting its lines.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_about [-median 9]
#include "about/creditsroll.h"
#include "ui/frmabout.h"

#include <QTest>

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
