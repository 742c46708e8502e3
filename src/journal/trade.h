// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One saved trade as the journal keeps it: the three inputs as typed, every figure as shown and
// the costs it was computed with, all as decimal texts with a point. Computing them is calc's.

#include <QDateTime>
#include <QString>

namespace margino {

// The tariff and the transaction tax a trade was computed with, as decimal texts ("1.9").
struct TradeCosts {
    QString rate;           // per thousand of an order's amount
    QString minimum;        // € per order
    QString maximum;        // € per order, "0" for none
    QString maximumPercent; // % of the order's amount, "0" for none
    QString fixed;          // € per order
    QString perShare;       // € per share
    QString taxRate;        // transaction tax, % of the purchase amount
    bool taxApplied = false;
    QString capitalGain; // capital-gain tax, %

    bool operator==(const TradeCosts &) const = default;
};

struct Trade {
    qint64 id = 0; // given by the journal at the save
    QDateTime savedAt;
    QString quantity, purchasePrice, salePrice; // the fields; no sale price: an open trade
    QString purchaseAmount, saleAmount;
    QString breakEven, stopPercent, stopMoney;
    QString commissions, gain, gainPercent, gainAfterTax, transactionTax;
    TradeCosts costs;
    QString note;

    bool isOpen() const { return salePrice.isEmpty(); }
    bool operator==(const Trade &) const = default;
};

// The trades shown: one year or all, ordered by one column (ties in saving order).
struct JournalView {
    enum Column {
        Date,
        Quantity,
        PurchasePrice,
        SalePrice,
        PurchaseAmount,
        SaleAmount,
        Commissions,
        Tax,
        Gain,
        GainAfterTax,
        Note,
        ColumnCount
    };
    int year = 0; // 0: every year
    Column sortColumn = Date;
    bool descending = true;
};

// A year's closed trades summed, in cents: each trade's figure rounded to the cent (halves away
// from zero) before the sum, as a tax return lists operations. Open trades are only counted.
struct YearTotals {
    qint64 gains = 0;  // the positive gains
    qint64 losses = 0; // the negative gains (a negative number)
    qint64 net = 0;    // gains + losses
    qint64 costs = 0;  // commissions and transaction tax
    qint64 tax = 0;    // capital-gain tax: gain minus gain after tax
    int closed = 0, open = 0;
    bool operator==(const YearTotals &) const = default;
};

} // namespace margino
