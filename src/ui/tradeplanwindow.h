// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Pianifica operazione": from a price, a stop, a loss budget, a capital and a target, the
// quantity, the target sale price, the reward/risk and the break-even, each explained, with a
// chart of the gain against the sale price. The arithmetic is planTrade's and gainCurve's.

#include "calc/tradeplan.h"
#include "calc/tradetexts.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QPushButton;
class QTableWidget;
class QTimer;

namespace margino {

class Database;
class InputNumerico;
class GainChart;
class PlanFigure;

class TradePlanWindow : public QDialog {
    Q_OBJECT

public:
    explicit TradePlanWindow(Database &db, QWidget *parent = nullptr);

    // Starts from the main window's trade: its price, its sale price (marked on the chart) and
    // its quantity (offered as "Usa la quantità attuale"); the stop is the price's
    // percentage stop and the budget the stored one; the transaction tax is counted as the
    // main window's switch says.
    void start(const TradeTexts &trade);

    const TradePlan &plan() const { return plan_; }
    const GainChart *chart() const { return chart_; }

signals:
    // Texts to type into the main window's quantity and sale price.
    void useQuantity(const QString &quantity);
    void useSalePrice(const QString &price);

private:
    void recompute();
    void showCurve();
    void priceChanged();
    InputNumerico *addField(const QString &label, const char *name, int intDigits, int decDigits);

    Database &db_;
    InputNumerico *price_, *stop_, *budget_, *capital_, *target_;
    QComboBox *kind_;
    QCheckBox *afterTax_, *current_;
    std::array<PlanFigure *, 9> figures_;
    PlanFigure *message_;
    GainChart *chart_; // none when its module cannot be loaded
    QTableWidget *points_;
    QTimer *chartPause_;
    QPushButton *useQuantity_, *useTarget_, *useBoth_;
    TradePlan plan_;
    Costs costs_;
    double slp_ = 0;
    std::optional<qint64> mainQuantity_;
    std::optional<double> mainSale_;
    bool stopTyped_ = false, settingStop_ = false, taxApplies_ = false;
};

} // namespace margino
