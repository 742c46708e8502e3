// SPDX-License-Identifier: GPL-3.0-or-later
#include "creditsroll.h"

#include "core/numbertext.h"

namespace margino {

void CreditsRoll::load(const QRect &area, const QSize &lineSize) {
    area_ = area;
    int top = area.top();
    for (RollLine &line : lines_) {
        const double centred = area.left() + area.width() / 2.0 - lineSize.width() / 2.0;
        const int left = int(roundTo(centred, 0));
        line = {QRect(QPoint(left, top), lineSize), std::nullopt};
        top += lineSize.height();
    }
}

void CreditsRoll::tick() {
    const int h = area_.height();
    const double half = h / 2.0;
    for (RollLine &line : lines_) {
        if (line.box.top() <= -line.box.height())
            line.box.moveTop(h);
        const int t = line.box.top();
        if (half <= t && t <= h)
            line.color = scaled((h - t) / half);
        if (0 <= t && t <= half)
            line.color = scaled(t / half);
        line.box.moveTop(t - Step);
    }
}

RollColor CreditsRoll::scaled(double k) const {
    const auto channel = [k](int full) { return int(roundTo(full * k, 0)); };
    return {channel(FullColor.red), channel(FullColor.green), channel(FullColor.blue)};
}

void TickSchedule::start(qint64 nowUs) {
    startUs_ = nowUs;
    ticks_ = 0;
}

int TickSchedule::next(qint64 nowUs) {
    qint64 due = startUs_ + ++ticks_ * PeriodUs;
    if (nowUs - due > MostBehind * PeriodUs) {
        start(nowUs);
        due = startUs_ + ++ticks_ * PeriodUs;
    }
    // Rounded up: a timer never fires early, so the tick comes on time or just after.
    return due <= nowUs ? 0 : int((due - nowUs + 999) / 1000);
}

} // namespace margino
