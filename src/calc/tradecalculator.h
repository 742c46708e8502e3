// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's two recalculations over its texts: the purchase side (amount, stops,
// break-even) and the sale side (amount, commissions, gain, percentage). Settings are read
// at every run, in one read transaction, and parsed again only when the file has changed;
// showing the texts is the window's work.

#include "calc/costs.h"
#include "calc/tradetexts.h"
#include "core/errors.h"
#include "store/parameters.h"

#include <QLocale>
#include <functional>
#include <optional>

namespace margino {

class Database;

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
    // The settings a run read in full, with the file's content version then.
    struct Read {
        quint64 version;
        SystemValues system;
        SettaggiValues settaggi;
        TariffValues tariff;
    };
    // Within the run's read transaction: the last run's settings when the file has not changed
    // since, then the run itself; what it read is kept for the next.
    void runWithSettings(Run &run, const std::function<void()> &sides);

    Database &db_;
    std::optional<Read> lastRead_;
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
