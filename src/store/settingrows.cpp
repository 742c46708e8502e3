// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingrows.h"

#include "core/numbertext.h"

#include <cmath>

namespace margino {

QString settingProblem(Setting setting, double value, const QLocale &locale) {
    const SettingRow &row = settingRow(setting);
    if (!std::isfinite(value))
        return QStringLiteral("il valore non è un numero finito");
    if (value < 0 || std::signbit(value))
        return QStringLiteral("il valore %1 è negativo").arg(numberToText(value, locale));
    if (value > row.highest)
        return QStringLiteral("il valore %1 supera %2 %3")
            .arg(numberToText(value, locale), numberToText(row.highest, locale),
                 QString::fromUtf8(row.unit));
    return {};
}

QString settingTextProblem(Setting setting, const QString &text, const QLocale &locale) {
    if (const std::optional<double> value = textToNumber(text, locale)) {
        const QString problem = settingProblem(setting, *value, locale);
        if (problem.isEmpty() && !text.trimmed().startsWith(u'+'))
            return {};
        if (*value < 0 || std::signbit(*value) || text.trimmed().startsWith(u'+'))
            return QStringLiteral("Il valore non può avere un segno");
        return QStringLiteral("Al massimo %1 %2")
            .arg(numberToText(settingRow(setting).highest, locale),
                 QString::fromUtf8(settingRow(setting).unit));
    }
    // Part of a number on its way to another: a sign may stand only after the exponent's E.
    for (qsizetype i = 0; i < text.size(); ++i) {
        if ((text[i] == u'-' || text[i] == u'+') &&
            (i == 0 || (text[i - 1] != u'E' && text[i - 1] != u'e')))
            return QStringLiteral("Il valore non può avere un segno");
    }
    return {};
}

} // namespace margino
