// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Puts a trade's texts on the main window's eight figures, the six LCD panels and the two
// amounts, writing only what changed, each with its spoken name, explanation and copy actions.

#include "calc/explanations.h"
#include "calc/tradetexts.h"

#include <QLocale>
#include <array>

class QAction;

namespace margino {

class AmountLabel;
class FigureActions;
class PicturePanel;
class mcLCD;

class ResultsDisplay {
public:
    struct Panel {
        mcLCD *lcd;
        PicturePanel *box;
    };
    // panels in the order of TradeTexts captions; copyAll is offered on every figure.
    ResultsDisplay(const std::array<Panel, TradeTexts::CaptionCount> &panels,
                   AmountLabel *purchaseAmount, AmountLabel *saleAmount, QAction *copyAll);

    void show(const TradeTexts &texts, const QLocale &locale);
    const TradeTexts &shown() const { return shown_; }

private:
    struct Slot {
        Figure figure;
        FigureActions *actions;
    };
    void describe(const QLocale &locale);

    std::array<Panel, TradeTexts::CaptionCount> panels_;
    AmountLabel *purchaseAmount_, *saleAmount_;
    std::array<Slot, 8> figures_{};
    TradeTexts shown_;
};

} // namespace margino
