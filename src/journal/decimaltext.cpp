// SPDX-License-Identifier: GPL-3.0-or-later
#include "decimaltext.h"

#include <cstdlib>

namespace margino {

std::optional<qint64> toCents(QStringView text) {
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    QString digits; // every digit of the mantissa, the point dropped
    qsizetype pointAt = -1, i = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128)
            digits += c;
        else if (c == u'.' && pointAt < 0)
            pointAt = digits.size();
        else
            break;
    }
    if (digits.isEmpty())
        return std::nullopt;
    int exponent = 0;
    if (i < text.size()) {
        if (text[i] != u'E' && text[i] != u'e')
            return std::nullopt;
        bool ok = false;
        exponent = text.mid(i + 1).toInt(&ok);
        if (!ok || std::abs(exponent) > 40)
            return std::nullopt;
    }
    // The value is digits × 10^(exponent - decimals); cents shift it by two more places.
    const qsizetype decimals = pointAt < 0 ? 0 : digits.size() - pointAt;
    const qsizetype shift = exponent - decimals + 2;
    QString whole = digits;
    bool roundUp = false;
    if (shift >= 0) {
        whole += QString(shift, u'0');
    } else {
        const qsizetype keep = digits.size() + shift;
        roundUp = keep >= 0 && keep < digits.size() && digits[keep] >= u'5';
        whole = keep > 0 ? digits.left(keep) : QString();
    }
    while (whole.size() > 1 && whole.front() == u'0')
        whole.remove(0, 1);
    if (whole.size() > 18)
        return std::nullopt;
    qint64 cents = whole.isEmpty() ? 0 : whole.toLongLong();
    if (roundUp)
        ++cents;
    return negative ? -cents : cents;
}

QString centsToText(qint64 cents) {
    const qint64 magnitude = cents < 0 ? -cents : cents;
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / 100)
        .arg(magnitude % 100, 2, 10, QChar(u'0'));
}

} // namespace margino
