// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultsdisplay.h"

#include "lcd/mclcd.h"
#include "lcd/paneltext.h"
#include "ui/amountlabel.h"
#include "ui/figureactions.h"
#include "ui/picturepanel.h"

namespace margino {

// Errors binding an LCD reach the caller: a window that cannot draw its panels is never shown.
ResultsDisplay::ResultsDisplay(const Widgets &widgets, QAction *copyAll) {
    for (const FigureRow &row : FigureRows) {
        const Figure figure = row.figure;
        QFrame *widget = widgets[std::size_t(figure)];
        Slot &slot = slots_[std::size_t(figure)];
        if (row.shown == FigureShown::Panel) {
            slot.lcd = std::make_unique<mcLCD>();
            slot.lcd->NewLCD(*qobject_cast<PicturePanel *>(widget));
            slot.lcd->setCaption(QString());
        } else {
            slot.amount = qobject_cast<AmountLabel *>(widget);
        }
        slot.actions = new FigureActions(
            widget, copyAll, [this, figure] { return figureText(figure, shown_); },
            [this, figure] { return explanation(figure, shown_, locale_); });
        slot.actions->setSpoken([this, figure] { return spokenFigure(figure, shown_); });
    }
}

ResultsDisplay::~ResultsDisplay() = default;

// Only what changed is written, so an unchanged panel is neither redrawn nor repainted. The
// explanations are not built here: a key pays only for the figures it changes.
void ResultsDisplay::show(const TradeTexts &texts, const QLocale &locale) {
    if (texts == shown_ && locale == locale_)
        return;
    std::array<bool, FigureCount> changed{};
    for (const FigureRow &row : FigureRows) {
        const QString &text = figureSlot(texts, row.figure);
        Slot &slot = slots_[std::size_t(row.figure)];
        changed[std::size_t(row.figure)] = text != figureSlot(shown_, row.figure);
        if (!changed[std::size_t(row.figure)])
            continue;
        if (slot.lcd)
            slot.lcd->setCaption(panelText(text, slot.lcd->cellCount(), locale));
        else
            slot.amount->setAmount(text);
    }
    shown_ = texts;
    locale_ = locale;
    // Announced once the new texts are in place, so a screen reader asking hears them.
    for (std::size_t i = 0; i < changed.size(); ++i)
        if (changed[i])
            slots_[i].actions->spokenChanged();
    for (const Slot &slot : slots_)
        slot.actions->explanationChanged();
}

} // namespace margino
