// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Puts a trade's texts on the main window's figures, one per figure row (LCD panels and amount
// boxes), writing only what changed, each with its spoken name, copy actions and an explanation
// built when asked. The widgets are the window's; the panels' LCDs are this display's.

#include "calc/explanations.h"
#include "calc/figures.h"
#include "calc/tradetexts.h"

#include <QLocale>
#include <array>
#include <memory>

class QAction;
class QFrame;

namespace margino {

class AmountLabel;
class FigureActions;
class mcLCD;

class ResultsDisplay {
public:
    // By figure row: a PicturePanel for a panel, an AmountLabel for an amount box. Each panel
    // gets its LCD and starts as a row of unlit cells; copyAll is offered on every figure.
    using Widgets = std::array<QFrame *, FigureCount>;
    ResultsDisplay(const Widgets &widgets, QAction *copyAll);
    ~ResultsDisplay();

    void show(const TradeTexts &texts, const QLocale &locale);
    const TradeTexts &shown() const { return shown_; }

private:
    struct Slot {
        std::unique_ptr<mcLCD> lcd; // panels only
        AmountLabel *amount = nullptr;
        FigureActions *actions = nullptr;
    };

    std::array<Slot, FigureCount> slots_;
    TradeTexts shown_;
    QLocale locale_;
};

} // namespace margino
