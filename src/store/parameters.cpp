#include "parameters.h"

#include "core/numbertext.h"
#include "store/database.h"
#include "store/statements.h"

namespace margino {

ParameterTexts readParameters(Database &db, const QLocale &locale) {
    const Recordset system = db.OpenRecordset(statements::SelectSystem);
    const Recordset settaggi = db.OpenRecordset(statements::SelectSettaggi);
    const auto text = [&](const Recordset &rs, const char *field) {
        return numberToText(rs.number(QString::fromLatin1(field)), locale);
    };
    return {text(settaggi, "CapitalGain"), text(settaggi, "SLMM"), text(settaggi, "SLP"),
            text(system, "CommissioniMin"), text(system, "Commissioni")};
}

void writeParameters(Database &db, const ParameterTexts &texts) {
    db.BeginTrans();
    try {
        db.Execute(statements::updateSettaggi(texts.capitalGain, texts.slmm, texts.slp));
        db.Execute(statements::updateSystem(texts.commissioniMin, texts.commissioni));
        db.CommitTrans();
    } catch (...) {
        db.Rollback();
        throw;
    }
}

} // namespace margino
