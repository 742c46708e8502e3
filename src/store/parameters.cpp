// SPDX-License-Identifier: GPL-3.0-or-later
#include "parameters.h"

#include "core/numbertext.h"
#include "store/database.h"
#include "store/statements.h"

#include <cmath>

namespace margino {

namespace {

double checked(const Recordset &rs, const char *table, const char *field) {
    const QString where =
        QStringLiteral("Tabella %1, campo %2").arg(QLatin1String(table), QLatin1String(field));
    const auto fail = [&](int number, const QString &what) {
        throw RuntimeError(number, where + QStringLiteral(": ") + what,
                           QStringLiteral("I valori nel file delle impostazioni non sono "
                                          "utilizzabili."));
    };
    if (!rs.hasRow())
        fail(err::NoCurrentRecord, QStringLiteral("la tabella non ha righe."));
    const QVariant value = rs.value(QString::fromLatin1(field));
    if (!value.isValid())
        fail(rs.hasField(QString::fromLatin1(field)) ? err::InvalidUseOfNull : err::ItemNotFound,
             rs.hasField(QString::fromLatin1(field)) ? QStringLiteral("nessun valore (Null).")
                                                     : QStringLiteral("il campo non esiste."));
    if (value.typeId() != QMetaType::Double)
        fail(err::TypeMismatch, QStringLiteral("«%1» non è un numero.").arg(value.toString()));
    const double number = value.toDouble();
    if (!std::isfinite(number))
        fail(err::Overflow, QStringLiteral("il valore non è un numero finito."));
    if (number < 0)
        fail(err::InvalidValue,
             QStringLiteral("il valore %1 è negativo.").arg(numberToText(number, QLocale())));
    return number;
}

} // namespace

SystemValues readSystem(Database &db, QStringView select) {
    const Recordset rs = db.OpenRecordset(select);
    return {checked(rs, "System", "Commissioni"), checked(rs, "System", "CommissioniMin")};
}

SettaggiValues readSettaggi(Database &db) {
    const Recordset rs = db.OpenRecordset(statements::SelectSettaggi);
    return {checked(rs, "Settaggi", "CapitalGain"), checked(rs, "Settaggi", "SLP"),
            checked(rs, "Settaggi", "SLMM")};
}

ParameterTexts readParameters(Database &db, const QLocale &locale) {
    const Recordset system = db.OpenRecordset(statements::SelectSystem);
    const Recordset settaggi = db.OpenRecordset(statements::SelectSettaggi);
    const auto text = [&](const Recordset &rs, const char *field) {
        return numberToText(rs.number(QString::fromLatin1(field)), locale);
    };
    return {text(settaggi, "CapitalGain"), text(settaggi, "SLMM"), text(settaggi, "SLP"),
            text(system, "CommissioniMin"), text(system, "Commissioni")};
}

std::optional<ParameterTexts> writeParameters(Database &db, const ParameterTexts &texts,
                                              const ParameterTexts &expected,
                                              const QLocale &locale) {
    // The write lock is taken before the check, so no other save can slip in between.
    db.BeginTrans();
    try {
        if (ParameterTexts found = readParameters(db, locale); found != expected) {
            db.Rollback();
            return found;
        }
        db.Execute(statements::updateSettaggi(texts.capitalGain, texts.slmm, texts.slp, locale));
        db.Execute(statements::updateSystem(texts.commissioniMin, texts.commissioni, locale));
        db.CommitTrans();
        return std::nullopt;
    } catch (...) {
        db.Rollback();
        throw;
    }
}

} // namespace margino
