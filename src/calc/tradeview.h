#pragma once
// What the trade calculation reads and writes on the main window, as texts: the three
// fields, the two amount labels and the six result panels. The window implements it.

#include <QString>

namespace margino {

class TradeView {
public:
    enum class Panel { PdP, SLMM, SLP, Commissioni, GP, PercentualeGP };

    virtual ~TradeView() = default;
    virtual QString quantityText() const = 0;   // in_Qta
    virtual QString priceText() const = 0;      // in_AcqPzo
    virtual QString saleText() const = 0;       // in_VndPzo
    virtual QString purchaseAmount() const = 0; // lab_AcqImp
    virtual void setPurchaseAmount(const QString &text) = 0;
    virtual QString saleAmount() const = 0; // lab_VndImp
    virtual void setSaleAmount(const QString &text) = 0;
    virtual void setPanelCaption(Panel panel, const QString &text) = 0;
};

} // namespace margino
