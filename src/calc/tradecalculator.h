// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's two recalculations over its texts: the purchase side (amount, stops,
// break-even) and the sale side (amount, commissions, gain, percentage). Settings are read
// afresh at every run, in one read transaction; showing the texts is the window's work.

#include "calc/costs.h"
#include "calc/tradetexts.h"
#include "core/errors.h"

#include <QLocale>
#include <optional>

namespace margino {

class Database;
struct SystemValues;
struct TariffValues;

// A trade's costs from the settings as read, with the transaction tax as switched.
Costs costsFrom(const SystemValues &system, const TariffValues &tariff, double capitalGainPercent,
                bool taxApplies);

class TradeCalculator {
public:
    explicit TradeCalculator(Database &db) : db_(db) {}

    // A change of the quantity or the purchase price: the purchase side, then the sale side
    // when a sale price is typed. A side whose inputs cannot give a result is blanked, and so
    // is a side whose run fails part-way; the failure is returned.
    std::optional<RuntimeError> purchaseSide(TradeTexts &texts, const QLocale &locale);
    // A change of the sale price: the sale side alone.
    std::optional<RuntimeError> saleSide(TradeTexts &texts, const QLocale &locale);

private:
    class Run;

    Database &db_;
};

// Which failures the user hears of: the first of a kind, then nothing of that kind again
// until a run succeeds, so a file that stays unreadable does not cost a message a key.
class FailureLatch {
public:
    // The failure to report, if any, for the outcome of one run.
    std::optional<RuntimeError> admit(const std::optional<RuntimeError> &outcome);
    bool failing() const { return last_.has_value(); }

private:
    std::optional<int> last_;
};

} // namespace margino
