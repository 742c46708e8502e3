// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldtext.h"

#include "core/numbertext.h"

namespace margino {

namespace {

QString nameOf(QChar c, bool of = false) {
    if (c == u',')
        return of ? QStringLiteral("della virgola") : QStringLiteral("la virgola");
    if (c == u'.')
        return of ? QStringLiteral("del punto") : QStringLiteral("il punto");
    return (of ? QStringLiteral("del segno «%1»") : QStringLiteral("il segno «%1»")).arg(c);
}

QString capitalised(QString text) {
    text[0] = text[0].toUpper();
    return text;
}

// A blank that may group digits: the space and its no-break kinds. A tab or a line break between
// digits separates two values (table cells, lines), so it never groups.
bool isGroupingBlank(QChar c) {
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F);
}

bool isCurrency(QStringView end) {
    return end.compare(u"EUR", Qt::CaseInsensitive) == 0 ||
           (end.size() == 1 && end[0].category() == QChar::Symbol_Currency);
}

} // namespace

QChar groupingSeparator(const QLocale &locale) {
    const QString grouping = locale.groupSeparator();
    return grouping.size() == 1 ? grouping[0] : QChar();
}

bool removesOnly(QStringView before, QStringView after) {
    if (after.size() >= before.size())
        return false;
    qsizetype same = 0;
    while (same < after.size() && after[same] == before[same])
        ++same;
    return before.endsWith(after.mid(same));
}

QString fieldRefusal(QStringView text, int intDigits, int decDigits, QChar separator) {
    int before = 0, after = 0;
    bool seenSeparator = false;
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            ++(seenSeparator ? after : before);
        else if (c != separator)
            return decDigits > 0
                       ? QStringLiteral("Si scrivono solo cifre e %1").arg(nameOf(separator))
                       : QStringLiteral("Si scrivono solo cifre");
        else if (decDigits == 0)
            return QStringLiteral("Questo campo non ha decimali");
        else if (seenSeparator)
            return QStringLiteral("Il numero ha già %1").arg(nameOf(separator));
        else
            seenSeparator = true;
    }
    const QString digits = intDigits == 1 ? QStringLiteral("cifra") : QStringLiteral("cifre");
    if (before > intDigits)
        return decDigits > 0 ? QStringLiteral("Al massimo %1 %2 prima %3")
                                   .arg(QString::number(intDigits), digits, nameOf(separator, true))
                             : QStringLiteral("Al massimo %1 %2").arg(intDigits).arg(digits);
    if (after > decDigits)
        return QStringLiteral("Al massimo %1 %2")
            .arg(decDigits)
            .arg(decDigits == 1 ? QStringLiteral("decimale") : QStringLiteral("decimali"));
    return {};
}

std::optional<QString> cleanPastedNumber(const QString &text, const QLocale &locale,
                                         QString *hint) {
    const auto refuse = [&](const QString &why) -> std::optional<QString> {
        if (hint)
            *hint = why;
        return std::nullopt;
    };
    QStringView rest = QStringView(text).trimmed();
    for (const qsizetype n : {3, 1}) {
        if (rest.size() > n && isCurrency(rest.first(n)))
            rest = rest.sliced(n).trimmed();
        if (rest.size() > n && isCurrency(rest.last(n)))
            rest = rest.chopped(n).trimmed();
    }
    const QChar separator = decimalSeparator(locale), grouping = groupingSeparator(locale);
    QString number;
    int run = 0;               // digits since the start or the last grouping mark
    int marks = 0, before = 0; // "," "." or separator seen, and the digits before the first
    QChar foreign;             // a "," or "." that is neither the separator nor the grouping
    bool grouped = false, seenSeparator = false, seenDigit = false;
    // Groups stand before the separator: one to three digits, then three at each mark.
    const auto groupsHold = [&] { return !grouped || run == 3; };
    for (const QChar c : rest) {
        if (c.isDigit()) {
            number += QChar(u'0' + c.digitValue());
            seenDigit = true;
            ++run;
        } else if (c == grouping || isGroupingBlank(c)) {
            if (seenSeparator || run < 1 || run > 3 || !groupsHold())
                return refuse(notANumberHint(text, locale));
            grouped = true;
            run = 0;
        } else if (c.isSpace()) { // a tab or a line break, or a blank that never groups
            if (c != u'\t' && c != u'\n' && c != u'\r' && c.category() != QChar::Separator_Line &&
                c.category() != QChar::Separator_Paragraph)
                return refuse(notANumberHint(text, locale));
            return refuse(QStringLiteral("Tra le cifre c'è una tabulazione o un a capo: "
                                         "incolla un numero solo"));
        } else if (c == u',' || c == u'.' || c == separator) {
            if (!seenSeparator && !groupsHold())
                return refuse(notANumberHint(text, locale));
            if (marks++ == 0) {
                before = run;
                foreign = c == separator ? QChar() : c;
            }
            seenSeparator = true;
            run = 0;
            number += separator;
        } else {
            number += c;
        }
    }
    if (!seenDigit || (!seenSeparator && !groupsHold()))
        return refuse(notANumberHint(text, locale));
    // A lone foreign mark before three digits reads either way: "1,234" is 1234 on an English
    // page and 1,234 on an Italian one. A leading zero or more than three digits before it can
    // only be decimals.
    if (!grouped && marks == 1 && !foreign.isNull() && run == 3 && before >= 1 && before <= 3 &&
        number[0] != u'0' && number.size() == before + 4) {
        const QString digits = QString(number).remove(before, 1);
        return refuse(QStringLiteral("«%1» si legge in due modi: scrivi %2 o %3")
                          .arg(rest.toString(), digits, number));
    }
    return number;
}

QString groupingHint(const QLocale &locale, bool decimals) {
    return capitalised(nameOf(groupingSeparator(locale))) +
           QStringLiteral(" separa le migliaia; ") +
           (decimals ? QStringLiteral("per i decimali usa ") + nameOf(decimalSeparator(locale))
                     : QStringLiteral("questo campo non ha decimali"));
}

QString groupedHint(const QLocale &locale) {
    return capitalised(nameOf(groupingSeparator(locale))) + QStringLiteral(" separava le migliaia");
}

QString notANumberHint(const QString &pasted, const QLocale &locale) {
    QString shown = pasted.simplified();
    if (shown.size() > 20)
        shown = shown.first(19) + u'…';
    const QChar grouping = groupingSeparator(locale);
    return QStringLiteral("«%1» non è un numero").arg(shown) +
           (grouping.isNull() ? QString()
                              : QStringLiteral(": %1 separa le migliaia, %2 i decimali")
                                    .arg(nameOf(grouping), nameOf(decimalSeparator(locale))));
}

} // namespace margino
