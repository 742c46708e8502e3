// SPDX-License-Identifier: GPL-3.0-or-later
#include "resultsdisplay.h"

#include "lcd/mclcd.h"
#include "lcd/paneltext.h"
#include "ui/amountlabel.h"
#include "ui/figureactions.h"
#include "ui/picturepanel.h"

namespace margino {

namespace {

// The figure each caption of TradeTexts is.
constexpr Figure CaptionFigures[TradeTexts::CaptionCount] = {
    Figure::PdP, Figure::SLMM, Figure::SLP, Figure::Commissioni, Figure::GP, Figure::PercentualeGP};

} // namespace

ResultsDisplay::ResultsDisplay(const std::array<Panel, TradeTexts::CaptionCount> &panels,
                               AmountLabel *purchaseAmount, AmountLabel *saleAmount,
                               QAction *copyAll)
    : panels_(panels), purchaseAmount_(purchaseAmount), saleAmount_(saleAmount) {
    const auto slot = [&](QFrame *widget, Figure figure) {
        return Slot{figure, new FigureActions(widget, copyAll, [this, figure] {
                        return figureText(figure, shown_);
                    })};
    };
    figures_[0] = slot(purchaseAmount, Figure::PurchaseAmount);
    figures_[1] = slot(saleAmount, Figure::SaleAmount);
    for (int i = 0; i < TradeTexts::CaptionCount; ++i)
        figures_[2 + i] = slot(panels_[i].box, CaptionFigures[i]);
    describe(QLocale());
}

// Only what changed is written, so an unchanged panel is neither redrawn nor repainted.
void ResultsDisplay::show(const TradeTexts &texts, const QLocale &locale) {
    if (texts == shown_)
        return;
    if (texts.purchaseAmount != shown_.purchaseAmount)
        purchaseAmount_->setAmount(texts.purchaseAmount);
    if (texts.saleAmount != shown_.saleAmount)
        saleAmount_->setAmount(texts.saleAmount);
    for (int i = 0; i < TradeTexts::CaptionCount; ++i) {
        if (texts.captions[i] != shown_.captions[i])
            panels_[i].lcd->setCaption(
                panelText(texts.captions[i], panels_[i].lcd->cellCount(), locale));
    }
    shown_ = texts;
    describe(locale);
}

void ResultsDisplay::describe(const QLocale &locale) {
    for (const Slot &slot : figures_)
        slot.actions->setTexts(spokenFigure(slot.figure, shown_),
                               explanation(slot.figure, shown_, locale));
}

} // namespace margino
