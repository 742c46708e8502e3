// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings file's name and every statement the program sends to it, character for
// character: readers and writers take them from here and never spell their own.

#include "store/settingrows.h"

#include <QLocale>
#include <QString>
#include <QStringView>

namespace margino::statements {

// Joined to the program's folder as it stands, without checking for a separator.
inline constexpr QStringView DataFileName = u"/DataMg.mgd";

// Read at every recalculation (the trailing blank is part of the text).
inline constexpr QStringView SelectSystemForCalc = u"SELECT * FROM System ";
// Read when the settings window opens.
inline constexpr QStringView SelectSystem = u"SELECT * FROM System";
// Read at every recalculation and when the settings window opens (two blanks).
inline constexpr QStringView SelectSettaggi = u"SELECT *  FROM Settaggi";

// Whether the file holds the tariff's table ("n" is 1 or 0), and its row; read at every
// recalculation and when the settings window opens.
inline constexpr QStringView SelectTariffExists =
    u"SELECT count(*) AS n FROM sqlite_master WHERE type = 'table' AND name = 'Tariffa'";
inline constexpr QStringView SelectTariff = u"SELECT * FROM Tariffa";

QString dataFilePath(const QString &programFolder);

// A field's text made fit for a statement: every "," and every decimal separator of the
// field's locale (such as "٫") becomes "." and nothing else changes.
QString toStatementNumber(const QString &fieldText, const QLocale &locale);

// The two updates, built by plain concatenation of the field texts after toStatementNumber.
QString updateSettaggi(const QString &capitalGain, const QString &slmm, const QString &slp,
                       const QLocale &locale);
QString updateSystem(const QString &commissioniMin, const QString &commissioni,
                     const QLocale &locale);

// A table of the settings rows as the template and the first save create it: one NUMERIC
// column per row, in row order; then its one row, and the update of that row. Values are
// field texts in locale, made fit by toStatementNumber.
QString createTable(const char *table);
QString insertRow(const char *table, const BySetting<QString> &texts, const QLocale &locale);
QString updateRow(const char *table, const BySetting<QString> &texts, const QLocale &locale);

} // namespace margino::statements
