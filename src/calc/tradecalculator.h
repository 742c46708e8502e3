#pragma once
// The two recalculations of the main window: the purchase side (amount, stops, break-even)
// and the sale side (amount, commissions, gain, percentage). Texts come and go through the
// view; settings are read from the database at every run. Errors reach the caller.

#include "calc/tradeview.h"

#include <QLocale>

namespace margino {

class Database;

class TradeCalculator {
public:
    TradeCalculator(Database &dbParametri, TradeView &view)
        : dbParametri(dbParametri), view(view) {}

    void in_AcqPzo_Change();
    void in_VndPzo_Change();

private:
    double number(const QString &text) const;
    QString text(double value) const;

    Database &dbParametri;
    TradeView &view;
    QLocale locale;
};

} // namespace margino
