// SPDX-License-Identifier: GPL-3.0-or-later
#include "parameters.h"

#include "core/numbertext.h"
#include "store/database.h"
#include "store/statements.h"

#include <cmath>

namespace margino {

namespace {

double checked(const Recordset &rs, Setting setting) {
    const SettingRow &row = settingRow(setting);
    const QString field = QString::fromLatin1(row.column);
    const QString where =
        QStringLiteral("Tabella %1, campo %2").arg(QLatin1String(row.table), field);
    const auto fail = [&](int number, const QString &what) {
        throw RuntimeError(number, where + QStringLiteral(": ") + what,
                           QStringLiteral("I valori nel file delle impostazioni non sono "
                                          "utilizzabili."));
    };
    if (!rs.hasRow())
        fail(err::NoCurrentRecord, QStringLiteral("la tabella non ha righe."));
    const QVariant value = rs.value(field);
    if (!value.isValid())
        fail(rs.hasField(field) ? err::InvalidUseOfNull : err::ItemNotFound,
             rs.hasField(field) ? QStringLiteral("nessun valore (Null).")
                                : QStringLiteral("il campo non esiste."));
    if (value.typeId() != QMetaType::Double)
        fail(err::TypeMismatch, QStringLiteral("«%1» non è un numero.").arg(value.toString()));
    const double number = value.toDouble();
    if (const QString problem = settingProblem(setting, number, QLocale()); !problem.isEmpty())
        fail(std::isfinite(number) ? err::InvalidValue : err::Overflow, problem + u'.');
    return number;
}

bool hasTariffTable(Database &db) {
    return db.OpenRecordset(statements::SelectTariffExists).number(QStringLiteral("n")) > 0;
}

} // namespace

SystemValues readSystem(Database &db, QStringView select) {
    const Recordset rs = db.OpenRecordset(select);
    return {checked(rs, Setting::Commissioni), checked(rs, Setting::CommissioniMin)};
}

SettaggiValues readSettaggi(Database &db) {
    const Recordset rs = db.OpenRecordset(statements::SelectSettaggi);
    return {checked(rs, Setting::CapitalGain), checked(rs, Setting::SLP),
            checked(rs, Setting::SLMM)};
}

TariffValues readTariff(Database &db) {
    const auto shipped = [](Setting s) { return settingRow(s).shipped; };
    if (!hasTariffTable(db))
        return {shipped(Setting::Maximum), shipped(Setting::MaximumPercent),
                shipped(Setting::Fixed), shipped(Setting::PerShare),
                shipped(Setting::TransactionTax)};
    const Recordset rs = db.OpenRecordset(statements::SelectTariff);
    return {checked(rs, Setting::Maximum), checked(rs, Setting::MaximumPercent),
            checked(rs, Setting::Fixed), checked(rs, Setting::PerShare),
            checked(rs, Setting::TransactionTax)};
}

ParameterTexts readParameters(Database &db, const QLocale &locale) {
    const Recordset system = db.OpenRecordset(statements::SelectSystem);
    const Recordset settaggi = db.OpenRecordset(statements::SelectSettaggi);
    const std::optional<Recordset> tariff =
        hasTariffTable(db) ? std::optional(db.OpenRecordset(statements::SelectTariff))
                           : std::nullopt;
    ParameterTexts texts;
    for (const SettingRow &row : SettingRows) {
        const QString table = QLatin1String(row.table);
        const Recordset *rs = table == u"System"     ? &system
                              : table == u"Settaggi" ? &settaggi
                              : tariff               ? &*tariff
                                                     : nullptr;
        texts[row.setting] =
            numberToText(rs ? rs->number(QString::fromLatin1(row.column)) : row.shipped, locale);
    }
    return texts;
}

std::optional<ParameterTexts> writeParameters(Database &db, const ParameterTexts &texts,
                                              const ParameterTexts &expected,
                                              const QLocale &locale) {
    const auto text = [&](Setting s) { return texts[s]; };
    // The write lock is taken before the check, so no other save can slip in between.
    db.BeginTrans();
    try {
        if (ParameterTexts found = readParameters(db, locale); found != expected) {
            db.Rollback();
            return found;
        }
        db.Execute(statements::updateSettaggi(text(Setting::CapitalGain), text(Setting::SLMM),
                                              text(Setting::SLP), locale));
        db.Execute(statements::updateSystem(text(Setting::CommissioniMin),
                                            text(Setting::Commissioni), locale));
        // A file written before the tariff gets its table now, with this same commit.
        if (hasTariffTable(db)) {
            db.Execute(statements::updateRow(TariffTable, texts, locale));
        } else {
            db.Execute(statements::createTable(TariffTable));
            db.Execute(statements::insertRow(TariffTable, texts, locale));
        }
        db.CommitTrans();
        return std::nullopt;
    } catch (...) {
        db.Rollback();
        throw;
    }
}

} // namespace margino
