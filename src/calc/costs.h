// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a trade costs: one order's commission under a tariff, the transaction tax, the net gain,
// the capital-gain tax and the sale price reaching a gain. Reading the settings is the store's.

#include <QLocale>
#include <QString>

namespace margino {

struct Tariff {                // one broker's tariff for a single order
    double rate = 0;           // per thousand (‰) of the order's amount
    double minimum = 0;        // € per order
    double maximum = 0;        // € per order, 0 = none
    double maximumPercent = 0; // % of the order's amount, 0 = none
    double fixed = 0;          // € per order
    double perShare = 0;       // € per share
    bool operator==(const Tariff &) const = default;
};

struct TransactionTax {
    double ratePercent = 0; // of the purchase amount
    bool applies = false;   // the trade in hand is subject to it
    bool operator==(const TransactionTax &) const = default;
};

struct Costs {
    Tariff tariff;
    TransactionTax tax;
    double capitalGainPercent = 0;
    bool operator==(const Costs &) const = default;
};

// How one order's commission came about, for explaining it.
struct Commission {
    enum class Bound { None, Minimum, Maximum, MaximumPercent };
    double ratePart = 0;     // rate ‰ of the amount
    double perSharePart = 0; // perShare × quantity
    double raw = 0;          // fixed + ratePart + perSharePart
    double value = 0;        // what the order pays
    Bound bound = Bound::None;
};

// fixed + rate/1000*V + perShare*Q, raised to the minimum, then lowered to the maximum
// (smaller of maximum and maximumPercent% of V, each ignored when 0; the maximum wins).
Commission commissionOf(const Tariff &tariff, double orderAmount, double quantity);
double orderCommission(const Tariff &tariff, double orderAmount, double quantity);

// ratePercent % of the purchase amount; 0 when the tax does not apply.
double transactionTax(const TransactionTax &tax, double purchaseAmount);

// sale amount - purchase amount - both commissions - transaction tax (unrounded).
double netGain(const Costs &costs, double quantity, double purchasePrice, double salePrice);
// The same from the two amounts, as the main window holds them.
double netGainOfAmounts(const Costs &costs, double quantity, double purchaseAmount,
                        double saleAmount);

// The capital-gain tax in cents on a base in euro: ratePercent × base when the base is
// positive, the base taken to the cent, the product exact in decimal and rounded to the cent
// with halves up, as a withholding is. The rate is read as its shortest decimal form.
qint64 capitalGainTaxCents(double ratePercent, double base);

// The capital-gain tax falls on sale - purchase - both commissions when positive (the
// transaction tax is not deductible); the figure is netGain to the cent minus that tax.
double gainAfterTax(const Costs &costs, double quantity, double purchasePrice, double salePrice);
double gainAfterTaxOfAmounts(const Costs &costs, double quantity, double purchaseAmount,
                             double saleAmount);

// Lowest sale price at which the net gain (after the capital-gain tax when afterTax) reaches
// `target` exactly (solved piecewise, region by region); break-even is target 0, afterTax false.
// Infinite when no price reaches it (a capital-gain rate of 100 % and a positive target).
double salePriceForGain(const Costs &costs, double quantity, double purchasePrice, double target,
                        bool afterTax);
// The same as the sale amount, from the purchase amount.
double saleAmountForGain(const Costs &costs, double quantity, double purchaseAmount, double target,
                         bool afterTax);

// A positive price as `cells` LCD cells show it, rounded up (never down) at the last decimal
// that fits beside its integer digits and the separator, from its 15 significant digits; whole
// units when no decimal fits. Trailing zeros go.
QString priceRoundedUp(double price, int cells, const QLocale &locale);

} // namespace margino
