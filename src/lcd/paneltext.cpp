// SPDX-License-Identifier: GPL-3.0-or-later
#include "paneltext.h"

#include "core/numbertext.h"

namespace margino {

QString panelText(const QString &caption, int cells, const QLocale &locale) {
    const QChar separator = decimalSeparator(locale);
    QString shown = caption;
    if (shown.size() > cells) {
        const qsizetype separatorAt = caption.indexOf(separator);
        const qsizetype integerEnd = separatorAt < 0 ? caption.size() : separatorAt;
        if (integerEnd > cells || caption.contains(u'E')) {
            for (const QString &form : shorterForms(caption, locale)) {
                if (form.size() <= cells) {
                    shown = form;
                    break;
                }
            }
        }
        shown.truncate(cells);
    }
    // The cells know "." and "," as the point; other separators would leave an empty cell.
    if (separator != u'.' && separator != u',')
        shown.replace(separator, u',');
    return shown;
}

} // namespace margino
