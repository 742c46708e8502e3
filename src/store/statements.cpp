// SPDX-License-Identifier: GPL-3.0-or-later
#include "statements.h"

#include "core/numbertext.h"

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

} // namespace margino::statements
