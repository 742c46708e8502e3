// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every figure the main window shows declared once, as a row: where its text lives in the trade's
// texts, which side computes it, its names, how it is shown, its place and its tab position.
// The formulas are the calculation's and the explanations'; the widgets are the window's.

#include "calc/tradetexts.h"

#include <QString>
#include <array>

namespace margino {

// In the order of the rows, which is the copied block's order.
enum class Figure { PurchaseAmount, SaleAmount, PdP, SLP, SLMM, GP, PercentualeGP, Commissioni };
inline constexpr int FigureCount = 8;

// The purchase side needs a quantity and a purchase price; the sale side also a sale price.
enum class TradeSide { Purchase, Sale };
enum class FigureShown { Panel, AmountBox };

// A place on the window in twips, inside the named group box.
struct TwipsPlace {
    const char *frame;
    int left, top, width, height;
};

// The caption the window writes beside (panels) or above (amount boxes) the figure.
struct FigureTitle {
    const char *name, *text;
    int left, top, width;
    bool centred;
};

struct FigureRow {
    Figure figure;
    // Its slot in the trade's texts: a caption (panels) or an amount member (amount boxes).
    int caption;
    QString TradeTexts::*amount;
    TradeSide side;
    const char *label; // spoken, copied and named in explanations: "Punto di pareggio"
    const char *unit;  // spoken after the value: "euro"
    FigureShown shown;
    const char *widget; // the control's object name
    TwipsPlace place;
    FigureTitle title;
    int tab; // its position in the main window's tab order, among the window's other controls
};

inline constexpr int AmountSlot = -1;
inline constexpr QString TradeTexts::*NoAmount = nullptr;

// Panels are 2100 x 380 twips: a 2-pixel border around the 21 pixels the LCD cells are cut for.
inline constexpr std::array<FigureRow, FigureCount> FigureRows{{
    {Figure::PurchaseAmount,
     AmountSlot,
     &TradeTexts::purchaseAmount,
     TradeSide::Purchase,
     "Importo di acquisto",
     "euro",
     FigureShown::AmountBox,
     "lab_AcqImp",
     {"Frame9", 1320, 1095, 1215, 315},
     {"Label46", "Importo ", 1560, 840, 615, false},
     10},
    {Figure::SaleAmount,
     AmountSlot,
     &TradeTexts::saleAmount,
     TradeSide::Sale,
     "Importo di vendita",
     "euro",
     FigureShown::AmountBox,
     "lab_VndImp",
     {"Frame9", 1320, 1695, 1215, 315},
     {"Label34", "Importo", 1440, 1440, 735, true},
     11},
    {Figure::PdP,
     TradeTexts::PdP,
     NoAmount,
     TradeSide::Purchase,
     "Punto di pareggio",
     "euro",
     FigureShown::Panel,
     "pic_PdP",
     {"Frame8", 120, 240, 2100, 380},
     {"Label1", "Punto di pareggio", 2280, 240, 1335, false},
     3},
    {Figure::SLP,
     TradeTexts::SLP,
     NoAmount,
     TradeSide::Purchase,
     "Stop loss percentuale",
     "euro",
     FigureShown::Panel,
     "pic_SLP",
     {"Frame8", 120, 600, 2100, 380},
     {"Label32", "Percentual ", 2280, 600, 1095, false},
     2},
    {Figure::SLMM,
     TradeTexts::SLMM,
     NoAmount,
     TradeSide::Purchase,
     "Stop loss money management",
     "euro",
     FigureShown::Panel,
     "pic_SLMM",
     {"Frame8", 120, 960, 2100, 380},
     {"Label31", "Money managment", 2280, 960, 1455, false},
     1},
    {Figure::GP,
     TradeTexts::GP,
     NoAmount,
     TradeSide::Sale,
     "Guadagno",
     "euro",
     FigureShown::Panel,
     "pic_GP",
     {"Frame6", 120, 240, 2100, 380},
     {"Label29", "Guadagno", 2280, 240, 855, false},
     6},
    {Figure::PercentualeGP,
     TradeTexts::PercentualeGP,
     NoAmount,
     TradeSide::Sale,
     "% Guadagno",
     "per cento",
     FigureShown::Panel,
     "pic_PercentualeGP",
     {"Frame6", 120, 600, 2100, 380},
     {"Label30", "% Guadagno", 2280, 600, 975, false},
     5},
    {Figure::Commissioni,
     TradeTexts::Commissioni,
     NoAmount,
     TradeSide::Sale,
     "Commissioni",
     "euro",
     FigureShown::Panel,
     "pic_Commissioni",
     {"Frame6", 120, 960, 2100, 380},
     {"Label26", "Commissioni", 2280, 960, 975, false},
     4},
}};

constexpr const FigureRow &figureRow(Figure figure) {
    return FigureRows[std::size_t(figure)];
}

// The rows follow Figure, and each caption of TradeTexts is exactly one panel's.
static_assert(
    [] {
        int captions[TradeTexts::CaptionCount] = {};
        for (std::size_t i = 0; i < FigureRows.size(); ++i) {
            const FigureRow &row = FigureRows[i];
            if (std::size_t(row.figure) != i)
                return false;
            const bool amount = row.shown == FigureShown::AmountBox;
            if ((row.caption == AmountSlot) != amount || (row.amount != NoAmount) != amount)
                return false;
            if (row.caption != AmountSlot && captions[row.caption]++ != 0)
                return false;
        }
        for (const int uses : captions)
            if (uses != 1)
                return false;
        return true;
    }(),
    "one row per figure, in the order of Figure, one panel per caption");

// The figure's full text in the trade's texts, where the calculation writes it.
inline QString &figureSlot(TradeTexts &texts, Figure figure) {
    const FigureRow &row = figureRow(figure);
    if (row.caption != AmountSlot)
        return texts.captions[std::size_t(row.caption)];
    return texts.*row.amount;
}
inline const QString &figureSlot(const TradeTexts &texts, Figure figure) {
    return figureSlot(const_cast<TradeTexts &>(texts), figure);
}

} // namespace margino
