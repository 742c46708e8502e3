// SPDX-License-Identifier: GPL-3.0-or-later
#include "numbertext.h"

#include <charconv>
#include <cmath>

namespace margino {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Rewrites the locale form into the C form that from_chars reads, or returns false.
bool toCForm(const QString &text, QChar separator, std::string &out) {
    qsizetype i = 0, end = text.size();
    while (i < end && isBlank(text[i]))
        ++i;
    while (end > i && isBlank(text[end - 1]))
        --end;
    if (i < end && (text[i] == u'+' || text[i] == u'-')) {
        if (text[i] == u'-')
            out += '-';
        ++i;
    }
    int mantissaDigits = 0;
    bool seenSeparator = false;
    for (; i < end; ++i) {
        const QChar c = text[i];
        if (isDigit(c)) {
            out += char(c.unicode());
            ++mantissaDigits;
        } else if (c == separator && !seenSeparator) {
            out += '.';
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < end && (text[i] == u'e' || text[i] == u'E')) {
        out += 'e';
        ++i;
        if (i < end && (text[i] == u'+' || text[i] == u'-'))
            out += char(text[i++].unicode());
        int exponentDigits = 0;
        for (; i < end && isDigit(text[i]); ++i, ++exponentDigits)
            out += char(text[i].unicode());
        if (exponentDigits == 0)
            return false;
    }
    return i == end;
}

} // namespace

QChar decimalSeparator(const QLocale &locale) {
    const QString point = locale.decimalPoint();
    return point.size() == 1 ? point[0] : QChar(u'.');
}

std::optional<double> textToNumber(const QString &text, const QLocale &locale) {
    std::string cForm;
    if (!toCForm(text, decimalSeparator(locale), cForm))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(cForm.data(), cForm.data() + cForm.size(), value);
    if (error != std::errc() || end != cForm.data() + cForm.size())
        return std::nullopt;
    return value;
}

bool isNumeric(const QString &text, const QLocale &locale) {
    return textToNumber(text, locale).has_value();
}

QString numberToText(double value, const QLocale &locale, int significantDigits) {
    if (value == 0)
        return QStringLiteral("0");
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::general, significantDigits);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer).toUpper();
    text.replace(u'.', decimalSeparator(locale));
    return text;
}

QString moneyText(double value, const QLocale &locale) {
    const double cents = roundTo(value, 2);
    return locale.toCurrencyString(cents == 0 ? 0.0 : cents, QStringLiteral("€"), 2);
}

QStringList shorterForms(const QString &text, const QLocale &locale) {
    QStringList forms;
    const std::optional<double> value = textToNumber(text, locale);
    if (!value || !std::isfinite(*value))
        return forms;
    for (int digits = 14; digits >= 1; --digits) {
        const QString form = numberToText(*value, locale, digits);
        if (form != text && (forms.isEmpty() || forms.last() != form))
            forms << form;
    }
    return forms;
}

double roundTo(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::nearbyint(value * scale) / scale;
}

} // namespace margino
