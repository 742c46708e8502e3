// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// For the start-up benchmark's children: when the first window has painted its first frame,
// print "frame" and the process's CPU time so far in whole microseconds (no decimal separator,
// whatever the locale), and end the process at once, so the parent's clock stops there.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>

class FirstFrame : public QObject {
public:
    explicit FirstFrame(QCoreApplication &app) { app.installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Paint && widget && widget->isWindow() && !seen_) {
            seen_ = true;
            // Runs after the whole window has painted and the frame has been handed over.
            QTimer::singleShot(0, [] {
                timespec cpu{};
                clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
                std::printf("frame %lld\n", cpu.tv_sec * 1000000LL + cpu.tv_nsec / 1000);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    bool seen_ = false;
};
