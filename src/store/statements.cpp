#include "statements.h"

namespace margino::statements {

QString dataFilePath(const QString &programFolder) {
    return programFolder + DataFileName.toString();
}

QString toStatementNumber(const QString &fieldText) {
    return QString(fieldText).replace(u',', u'.');
}

QString updateSettaggi(const QString &capitalGain, const QString &slmm, const QString &slp) {
    return QStringLiteral("UPDATE Settaggi SET ") + QStringLiteral("CapitalGain =") +
           toStatementNumber(capitalGain) + QStringLiteral(",SLMM =") + toStatementNumber(slmm) +
           QStringLiteral(",SLP = ") + toStatementNumber(slp);
}

QString updateSystem(const QString &commissioniMin, const QString &commissioni) {
    return QStringLiteral("UPDATE System SET ") + QStringLiteral("CommissioniMin =") +
           toStatementNumber(commissioniMin) + QStringLiteral(",Commissioni =") +
           toStatementNumber(commissioni);
}

} // namespace margino::statements
