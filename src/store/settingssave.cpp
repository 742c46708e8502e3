// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingssave.h"

namespace margino {

namespace {

// One line per setting whose value in the file is no longer the one the window knew.
QStringList changedElsewhere(const ParameterTexts &before, const ParameterTexts &found,
                             const ParameterTexts &typed) {
    QStringList lines;
    for (const SettingRow &row : SettingRows) {
        if (found[row.setting] != before[row.setting])
            lines << QStringLiteral("%1: %2 nel file, %3 qui")
                         .arg(QString::fromUtf8(row.label).simplified(), found[row.setting],
                              typed[row.setting]);
    }
    return lines;
}

} // namespace

SaveEnd saveSettings(Database &db, const ParameterTexts &shown, const ParameterTexts &typed,
                     const QLocale &locale, const SaveAsk &ask) {
    if (typed == shown)
        return SaveEnd::Recalculate;
    ParameterTexts expected = shown;
    for (;;) {
        try {
            const std::optional<ParameterTexts> found =
                writeParameters(db, typed, expected, locale);
            if (!found)
                return SaveEnd::Recalculate;
            switch (ask({SaveQuestion::OtherSave, changedElsewhere(expected, *found, typed), {}})) {
            case SaveAnswer::Save:
                expected = *found;
                continue;
            case SaveAnswer::CloseWithoutSaving:
                return SaveEnd::Recalculate;
            case SaveAnswer::BackToWindow:
                return SaveEnd::Stay;
            }
        } catch (const DbError &error) {
            switch (ask({SaveQuestion::Refused, {}, error})) {
            case SaveAnswer::Save:
                continue;
            case SaveAnswer::CloseWithoutSaving:
                return SaveEnd::Discard;
            case SaveAnswer::BackToWindow:
                return SaveEnd::Stay;
            }
        }
    }
}

} // namespace margino
