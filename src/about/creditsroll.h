// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The About window's credits roll as numbers: where each line stands and what colour it has,
// tick by tick. Drawing the lines, and when ticks come, is the window's business.

#include <QRect>
#include <array>
#include <optional>

namespace margino {

struct RollColor {
    int red, green, blue;
    bool operator==(const RollColor &) const = default;
};

struct RollLine {
    QRect box;
    std::optional<RollColor> color; // none yet: the line keeps the colour it was made with
};

class CreditsRoll {
public:
    static constexpr int LastLine = 9;
    static constexpr RollColor FullColor{50, 150, 255};
    static constexpr int Step = 1; // pixels upward per tick

    // Stacks the lines from the top of area, each centred on it, all of lineSize.
    void load(const QRect &area, const QSize &lineSize);
    // Wraps, fades and moves every line by one step.
    void tick();

    const std::array<RollLine, LastLine + 1> &lines() const { return lines_; }

private:
    RollColor scaled(double k) const;

    QRect area_;
    std::array<RollLine, LastLine + 1> lines_{};
};

// When the roll's ticks are due: one every 15.625 ms, so the roll climbs 64 pixels a second.
// Each tick is due at its own place on the clock, so a late tick does not delay the ones after
// it; after a stall of more than a few ticks the count starts again from now instead of
// rushing the roll.
class TickSchedule {
public:
    static constexpr qint64 PeriodUs = 15625;
    static constexpr int MostBehind = 4;

    void start(qint64 nowUs);
    // Milliseconds to wait from nowUs until the next tick is due.
    int next(qint64 nowUs);

private:
    qint64 startUs_ = 0;
    qint64 ticks_ = 0;
};

} // namespace margino
