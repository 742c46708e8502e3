// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the main window shows of a trade, as texts: the three fields, the two amounts and
// the six captions. The calculation fills it; the window copies it in and writes back changes.

#include "calc/costs.h"
#include "store/settingrows.h"

#include <QString>
#include <array>
#include <optional>

namespace margino {

// The numbers a run worked with that its texts do not carry, for explaining the results.
struct TradeFigures {
    // The settings as the last run read them, by row; none where that read failed.
    BySetting<std::optional<double>> settings;
    double percent = 0; // the gain in percent before it is taken down

    bool operator==(const TradeFigures &) const = default;
};

struct TradeTexts {
    enum Caption { PdP, SLMM, SLP, Commissioni, GP, PercentualeGP, CaptionCount };

    QString quantity;       // in_Qta
    QString price;          // in_AcqPzo
    QString sale;           // in_VndPzo
    QString purchaseAmount; // lab_AcqImp, in full
    QString saleAmount;     // lab_VndImp, in full
    std::array<QString, CaptionCount> captions;
    QString afterTax; // the gain after the capital-gain tax, beside the captions
    // The main window's switch: the trade in hand pays the transaction tax.
    bool transactionTax = false;
    // Why the last run of a side could not compute, when it failed.
    QString purchaseProblem, saleProblem;
    TradeFigures figures;

    bool operator==(const TradeTexts &) const = default;
};

// The costs of the trade as its last run read them: the tariff, the tax as switched, the
// capital-gain rate; a setting whose read failed counts as 0.
Costs tradeCosts(const TradeTexts &texts);

// The result panels show nine LCD cells; the break-even is rounded up at their last digit.
inline constexpr int PanelCells = 9;

} // namespace margino
