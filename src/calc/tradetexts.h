#pragma once
// Everything the main window shows of a trade, as texts: the three fields, the two amounts and
// the six captions. The calculation fills it; the window copies it in and writes back changes.

#include <QString>
#include <array>

namespace margino {

struct TradeTexts {
    enum Caption { PdP, SLMM, SLP, Commissioni, GP, PercentualeGP, CaptionCount };

    QString quantity;       // in_Qta
    QString price;          // in_AcqPzo
    QString sale;           // in_VndPzo
    QString purchaseAmount; // lab_AcqImp, in full
    QString saleAmount;     // lab_VndImp, in full
    std::array<QString, CaptionCount> captions;

    bool operator==(const TradeTexts &) const = default;
};

} // namespace margino
