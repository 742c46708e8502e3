// SPDX-License-Identifier: GPL-3.0-or-later
#include "costs.h"

#include "core/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <vector>

namespace margino {

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

// A finite double's shortest decimal form as digits × 10^-scale (scale may be negative).
struct Decimal {
    unsigned __int128 digits = 0;
    int scale = 0;
};

// Reads to_chars' scientific form ("1.25e+01").
Decimal parseScientific(const char *c, const char *end) {
    Decimal d;
    bool afterPoint = false;
    for (; c != end && *c != 'e'; ++c) {
        if (*c == '.') {
            afterPoint = true;
        } else if (*c >= '0' && *c <= '9') {
            d.digits = d.digits * 10 + unsigned(*c - '0');
            d.scale += afterPoint ? 1 : 0;
        }
    }
    int exponent = 0;
    if (c != end)
        std::from_chars(c + 1 + (c[1] == '+'), end, exponent);
    d.scale -= exponent;
    return d;
}

Decimal decimalOf(double value, int significantDigits = 0) {
    char buffer[64];
    const auto result =
        significantDigits > 0
            ? std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                            significantDigits - 1)
            : std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return parseScientific(buffer, result.ptr);
}

unsigned __int128 power10(int n) {
    unsigned __int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// The base (sale - purchase - both commissions) giving a net gain `target` after the
// transaction tax `tax`, and after the capital-gain tax when afterTax: a base at or below zero
// is not taxed.
double baseFor(double target, double tax, double capitalGainPercent, bool afterTax) {
    const double base = target + tax;
    if (!afterTax || base <= 0)
        return base;
    return capitalGainPercent >= 100 ? Infinity : base / (1 - capitalGainPercent / 100);
}

// Lowest sale amount V with V - commission(V) >= goal. The commission is piecewise linear in
// V, with kinks where the raw commission meets the minimum or a maximum, and where the two
// maxima cross; between kinks the equation is linear and solved directly. The left side never
// falls as V grows (rate up to 1000 ‰, maximum up to 100 %), so the first region whose end
// reaches the goal holds the answer.
double saleAmountReaching(const Tariff &t, double quantity, double goal) {
    const double r = t.rate / 1000, m = t.maximumPercent / 100;
    const double flat = t.fixed + t.perShare * quantity;
    std::vector<double> kinks{0};
    const auto add = [&kinks](double v) {
        if (std::isfinite(v) && v > 0)
            kinks.push_back(v);
    };
    if (r > 0) {
        add((t.minimum - flat) / r);
        if (t.maximum > 0)
            add((t.maximum - flat) / r);
    }
    if (m > 0) {
        add(t.minimum / m);
        if (t.maximum > 0)
            add(t.maximum / m);
        if (m != r)
            add(flat / (m - r));
    }
    std::sort(kinks.begin(), kinks.end());
    const auto net = [&](double v) { return v - orderCommission(t, v, quantity); };
    for (std::size_t i = 0; i < kinks.size(); ++i) {
        const double a = kinks[i];
        const bool last = i + 1 == kinks.size();
        const double b = last ? Infinity : kinks[i + 1];
        if (!last && net(b) < goal)
            continue;
        if (net(a) >= goal)
            return a;
        // The commission on (a, b) is alpha + beta × V, whichever branch holds inside.
        const double inside = last ? a + 1 : a + (b - a) / 2;
        const double raw = flat + r * inside;
        const double cap =
            std::min(t.maximum > 0 ? t.maximum : Infinity, m > 0 ? m * inside : Infinity);
        double alpha = flat, beta = r;
        if (cap < std::max(raw, t.minimum)) {
            const bool amountCap = t.maximum > 0 && (m == 0 || t.maximum <= m * inside);
            alpha = amountCap ? t.maximum : 0;
            beta = amountCap ? 0 : m;
        } else if (raw < t.minimum) {
            alpha = t.minimum;
            beta = 0;
        }
        if (beta >= 1)
            return a;
        return std::clamp((goal + alpha) / (1 - beta), a, b);
    }
    return Infinity;
}

} // namespace

Commission commissionOf(const Tariff &t, double orderAmount, double quantity) {
    Commission c;
    c.ratePart = orderAmount * t.rate / 1000;
    c.perSharePart = t.perShare * quantity;
    c.raw = t.fixed + c.ratePart + c.perSharePart;
    c.value = c.raw;
    if (c.value < t.minimum) {
        c.value = t.minimum;
        c.bound = Commission::Bound::Minimum;
    }
    const double percentCap = orderAmount * t.maximumPercent / 100;
    if (t.maximum > 0 && c.value > t.maximum &&
        (t.maximumPercent == 0 || t.maximum <= percentCap)) {
        c.value = t.maximum;
        c.bound = Commission::Bound::Maximum;
    } else if (t.maximumPercent > 0 && c.value > percentCap) {
        c.value = percentCap;
        c.bound = Commission::Bound::MaximumPercent;
    }
    return c;
}

double orderCommission(const Tariff &tariff, double orderAmount, double quantity) {
    return commissionOf(tariff, orderAmount, quantity).value;
}

double transactionTax(const TransactionTax &tax, double purchaseAmount) {
    return tax.applies ? purchaseAmount * tax.ratePercent / 100 : 0;
}

double netGainOfAmounts(const Costs &costs, double quantity, double purchaseAmount,
                        double saleAmount) {
    const double commissions = orderCommission(costs.tariff, purchaseAmount, quantity) +
                               orderCommission(costs.tariff, saleAmount, quantity);
    return saleAmount - purchaseAmount - commissions - transactionTax(costs.tax, purchaseAmount);
}

double netGain(const Costs &costs, double quantity, double purchasePrice, double salePrice) {
    return netGainOfAmounts(costs, quantity, quantity * purchasePrice, quantity * salePrice);
}

qint64 capitalGainTaxCents(double ratePercent, double base) {
    const double cents = std::nearbyint(roundTo(base, 2) * 100);
    if (!(cents > 0) || !(ratePercent > 0))
        return 0;
    // Past 2^53 cents no decimal is exact anyway; binary is as good there.
    if (cents > 9e15 || !std::isfinite(ratePercent) || ratePercent > 1e6)
        return qint64(std::floor(cents * ratePercent / 100 + 0.5));
    Decimal rate = decimalOf(ratePercent);
    if (rate.scale < 0) {
        rate.digits *= power10(-rate.scale);
        rate.scale = 0;
    }
    if (rate.scale > 30) // below 1e-13 %: nothing on any base a cent can count
        return 0;
    // tax = cents × digits / (100 × 10^scale), halves up: floor((2n + d) / 2d).
    const unsigned __int128 numerator = (unsigned __int128)(qint64(cents)) * rate.digits;
    const unsigned __int128 denominator = 100 * power10(rate.scale);
    return qint64((2 * numerator + denominator) / (2 * denominator));
}

double gainAfterTaxOfAmounts(const Costs &costs, double quantity, double purchaseAmount,
                             double saleAmount) {
    const double gain = netGainOfAmounts(costs, quantity, purchaseAmount, saleAmount);
    const double base = gain + transactionTax(costs.tax, purchaseAmount);
    const qint64 tax = capitalGainTaxCents(costs.capitalGainPercent, base);
    if (tax == 0)
        return roundTo(gain, 2);
    return (std::nearbyint(roundTo(gain, 2) * 100) - double(tax)) / 100;
}

double gainAfterTax(const Costs &costs, double quantity, double purchasePrice, double salePrice) {
    return gainAfterTaxOfAmounts(costs, quantity, quantity * purchasePrice, quantity * salePrice);
}

double saleAmountForGain(const Costs &costs, double quantity, double purchaseAmount, double target,
                         bool afterTax) {
    const double tax = transactionTax(costs.tax, purchaseAmount);
    const double base = baseFor(target, tax, costs.capitalGainPercent, afterTax);
    if (!std::isfinite(base))
        return Infinity;
    const double goal =
        purchaseAmount + orderCommission(costs.tariff, purchaseAmount, quantity) + base;
    return saleAmountReaching(costs.tariff, quantity, goal);
}

double salePriceForGain(const Costs &costs, double quantity, double purchasePrice, double target,
                        bool afterTax) {
    return saleAmountForGain(costs, quantity, quantity * purchasePrice, target, afterTax) /
           quantity;
}

QString priceRoundedUp(double price, int cells, const QLocale &locale) {
    if (!(price > 0) || !std::isfinite(price))
        return numberToText(price, locale);
    Decimal d = decimalOf(price, 15);
    const int integerDigits = std::max(1, int(std::floor(std::log10(price))) + 1);
    const int decimals = std::max(0, cells - integerDigits - 1);
    if (d.scale > decimals) {
        const unsigned __int128 unit = power10(d.scale - decimals);
        d.digits = (d.digits + unit - 1) / unit;
        d.scale = decimals;
    }
    QString digits;
    for (unsigned __int128 n = d.digits; n > 0; n /= 10)
        digits.prepend(QChar(u'0' + int(n % 10)));
    if (d.scale < 0)
        digits += QString(-d.scale, u'0');
    if (d.scale > 0) {
        if (digits.size() <= d.scale)
            digits.prepend(QString(d.scale - digits.size() + 1, u'0'));
        digits.insert(digits.size() - d.scale, decimalSeparator(locale));
        while (digits.endsWith(u'0'))
            digits.chop(1);
        if (digits.endsWith(decimalSeparator(locale)))
            digits.chop(1);
    }
    return digits;
}

} // namespace margino
