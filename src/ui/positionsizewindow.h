// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Dimensiona posizione": the largest quantity whose loss at the stop fits the loss budget,
// from a price, a stop, the budget and an optional capital. The arithmetic is sizePosition's.

#include "calc/positionsize.h"
#include "calc/tradetexts.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace margino {

class Database;
class InputNumerico;

class PositionSizeWindow : public QDialog {
    Q_OBJECT

public:
    // Starts from the main window's price and percentage stop, and the stored budget.
    PositionSizeWindow(Database &db, const TradeTexts &trade, QWidget *parent = nullptr);

    // The quantity found, once accepted with "Usa questa quantità".
    qint64 quantity() const { return size_.quantity; }

private:
    void recompute();
    InputNumerico *addField(const QString &label, const char *name, int intDigits, int decDigits,
                            const QString &value);

    Database &db_;
    bool taxApplies_;
    InputNumerico *price_, *stop_, *budget_, *capital_;
    QLabel *answer_;
    QPushButton *use_;
    PositionSize size_;
};

} // namespace margino
