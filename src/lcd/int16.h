// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// 16-bit signed arithmetic that refuses to wrap: every result outside -32768..32767 raises
// the overflow error. The LCD geometry is kept in these; callers decide what an error ends.

#include "core/errors.h"

#include <QtGlobal>
#include <compare>

namespace margino {

class Int16 {
public:
    constexpr Int16() = default;
    // Checked on the way in, so a wider value can never slip into the 16 bits.
    constexpr Int16(qint64 value) : value_(static_cast<qint16>(value)) {
        if (value < -32768 || value > 32767)
            raiseOverflow();
    }
    constexpr qint16 value() const { return value_; }

    friend constexpr Int16 operator+(Int16 a, Int16 b) {
        return Int16(qint64(a.value_) + b.value_);
    }
    friend constexpr Int16 operator-(Int16 a, Int16 b) {
        return Int16(qint64(a.value_) - b.value_);
    }
    // Integer division truncating toward zero.
    friend constexpr Int16 operator/(Int16 a, Int16 b) {
        return Int16(qint64(a.value_) / b.value_);
    }
    friend constexpr auto operator<=>(const Int16 &, const Int16 &) = default;

private:
    qint16 value_ = 0;
};

} // namespace margino
