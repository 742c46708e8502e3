// SPDX-License-Identifier: GPL-3.0-or-later
#include "statements.h"

#include "core/numbertext.h"

#include <QStringList>

namespace margino::statements {

QString dataFilePath(const QString &programFolder) {
    return programFolder + DataFileName.toString();
}

QString toStatementNumber(const QString &fieldText, const QLocale &locale) {
    return QString(fieldText).replace(u',', u'.').replace(decimalSeparator(locale), u'.');
}

QString updateSettaggi(const QString &capitalGain, const QString &slmm, const QString &slp,
                       const QLocale &locale) {
    return QStringLiteral("UPDATE Settaggi SET ") + QStringLiteral("CapitalGain =") +
           toStatementNumber(capitalGain, locale) + QStringLiteral(",SLMM =") +
           toStatementNumber(slmm, locale) + QStringLiteral(",SLP = ") +
           toStatementNumber(slp, locale);
}

QString updateSystem(const QString &commissioniMin, const QString &commissioni,
                     const QLocale &locale) {
    return QStringLiteral("UPDATE System SET ") + QStringLiteral("CommissioniMin =") +
           toStatementNumber(commissioniMin, locale) + QStringLiteral(",Commissioni =") +
           toStatementNumber(commissioni, locale);
}

namespace {

// "first, second, ..." over the rows of a table.
template <typename Part> QString joined(const char *table, Part part) {
    QStringList parts;
    for (const SettingRow &row : SettingRows)
        if (qstrcmp(row.table, table) == 0)
            parts << part(row);
    return parts.join(QStringLiteral(", "));
}

} // namespace

QString createTable(const char *table) {
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(QLatin1String(table), joined(table, [](const SettingRow &row) {
                 return QLatin1String(row.column) + QStringLiteral(" NUMERIC");
             }));
}

QString insertRow(const char *table, const BySetting<QString> &texts, const QLocale &locale) {
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(QLatin1String(table),
             joined(table, [](const SettingRow &row) { return QLatin1String(row.column); }),
             joined(table, [&](const SettingRow &row) {
                 return toStatementNumber(texts[row.setting], locale);
             }));
}

QString updateRow(const char *table, const BySetting<QString> &texts, const QLocale &locale) {
    return QStringLiteral("UPDATE %1 SET %2")
        .arg(QLatin1String(table), joined(table, [&](const SettingRow &row) {
                 return QLatin1String(row.column) + QStringLiteral(" = ") +
                        toStatementNumber(texts[row.setting], locale);
             }));
}

} // namespace margino::statements
