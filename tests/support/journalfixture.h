// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A journal file in a temporary folder and trades to fill it with, for the journal's tests.

#include "journal/journalfile.h"

#include <QTemporaryDir>

struct JournalFixture {
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Registro.sqlite")); }
};

// A closed trade (sale given) or an open one (sale empty), with the day's tariff.
inline margino::Trade sampleTrade(const QString &when, const QString &quantity,
                                  const QString &price, const QString &sale,
                                  const QString &gain = {}, const QString &afterTax = {},
                                  const QString &commissions = QStringLiteral("5.9")) {
    margino::Trade t;
    t.savedAt = QDateTime::fromString(when, Qt::ISODate);
    t.quantity = quantity;
    t.purchasePrice = price;
    t.salePrice = sale;
    t.purchaseAmount = QString::number(quantity.toDouble() * price.toDouble(), 'g', 15);
    t.breakEven = price;
    t.stopPercent = t.stopMoney = QStringLiteral("0");
    if (!sale.isEmpty()) {
        t.saleAmount = QString::number(quantity.toDouble() * sale.toDouble(), 'g', 15);
        t.commissions = commissions;
        t.gain = gain;
        t.gainPercent = QStringLiteral("0");
        t.gainAfterTax = afterTax.isEmpty() ? gain : afterTax;
        t.transactionTax = QStringLiteral("0");
    }
    t.costs = {
        QStringLiteral("1.9"), QStringLiteral("2.95"), QStringLiteral("0"), QStringLiteral("0"),
        QStringLiteral("0"),   QStringLiteral("0"),    QStringLiteral("0"), false,
        QStringLiteral("26")};
    return t;
}
