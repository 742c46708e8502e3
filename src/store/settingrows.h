// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every setting declared once, as a row: where it is stored, how it is named, its unit, its
// limits and its shipped value, and the rule a value must meet. Reading and writing is
// parameters.h's, the statements statements.h's, showing a setting its window's.

#include <QLocale>
#include <QString>
#include <array>

namespace margino {

// In the order of the rows, which is each table's column order: the five settings every file
// has, then the tariff's own table.
enum class Setting {
    Commissioni,
    CommissioniMin,
    CapitalGain,
    SLP,
    SLMM,
    Maximum,
    MaximumPercent,
    Fixed,
    PerShare,
    TransactionTax,
};
inline constexpr int SettingCount = 10;

struct SettingRow {
    Setting setting;
    const char *table, *column;
    const char *label;     // the settings window's label, also the field's accessible name
    const char *unit;      // shown beside the field
    const char *listLabel; // its line in the copied results
    double highest;        // the largest value a trade can use; none is below 0
    double shipped;        // the template's value, and the value when its table is missing
    int integerDigits;     // what the settings field takes before the decimal separator
};

// Money up to ten digits, as the fields take it: far from any overflow in the calculation.
inline constexpr double MostMoney = 1e10;

inline constexpr std::array<SettingRow, SettingCount> SettingRows{{
    {Setting::Commissioni, "System", "Commissioni", "Commissioni", "‰", "Commissioni (‰)", 1000,
     1.9, 10},
    {Setting::CommissioniMin, "System", "CommissioniMin", "Commissioni Minime", "€",
     "Commissioni minime (€)", MostMoney, 2.95, 10},
    {Setting::CapitalGain, "Settaggi", "CapitalGain", "Capital Gain", "%", "Capital gain (%)", 100,
     26, 2},
    {Setting::SLP, "Settaggi", "SLP", "%  stop loss", "%", "Stop loss (%)", 100, 5, 2},
    {Setting::SLMM, "Settaggi", "SLMM", "M.M. stop loss", "€", "M.M. stop loss (€)", MostMoney, 100,
     5},
    {Setting::Maximum, "Tariffa", "CommissioniMax", "Massimo per ordine", "€",
     "Massimo per ordine (€)", MostMoney, 0, 10},
    {Setting::MaximumPercent, "Tariffa", "CommissioniMaxPerc", "Massimo in % dell'ordine", "%",
     "Massimo in % dell'ordine (%)", 100, 0, 3},
    {Setting::Fixed, "Tariffa", "CommissioniFisse", "Parte fissa per ordine", "€",
     "Parte fissa per ordine (€)", MostMoney, 0, 10},
    {Setting::PerShare, "Tariffa", "CommissioniPerAzione", "Importo per azione", "€",
     "Importo per azione (€)", MostMoney, 0, 10},
    {Setting::TransactionTax, "Tariffa", "ImpostaTransazioni", "Imposta sulle transazioni", "%",
     "Imposta sulle transazioni (%)", 100, 0.2, 3},
}};

// The table a file written before the tariff lacks; the save creates it.
inline constexpr char TariffTable[] = "Tariffa";

constexpr const SettingRow &settingRow(Setting setting) {
    return SettingRows[std::size_t(setting)];
}
static_assert(
    [] {
        for (std::size_t i = 0; i < SettingRows.size(); ++i)
            if (std::size_t(SettingRows[i].setting) != i)
                return false;
        return true;
    }(),
    "the rows follow the order of Setting");

// The settings by row, one value each.
template <typename T> struct BySetting {
    std::array<T, SettingCount> values{};
    T &operator[](Setting s) { return values[std::size_t(s)]; }
    const T &operator[](Setting s) const { return values[std::size_t(s)]; }
    bool operator==(const BySetting &) const = default;
};

// Why a value cannot be this setting, in Italian ("è negativo", "supera 1000 ‰"); empty when
// it can: a finite number from 0 to the row's highest.
QString settingProblem(Setting setting, double value, const QLocale &locale);

// Why a settings field may not hold this text at any step of an edit, as a hint; empty when it
// may. A number is judged by settingProblem; a text that is not yet one may not carry a sign
// outside an exponent ("-05" left of "1E-05"); the empty text waits for the save to judge it.
QString settingTextProblem(Setting setting, const QString &text, const QLocale &locale);

} // namespace margino
