// SPDX-License-Identifier: GPL-3.0-or-later
// What a trade costs: one order's commission under each tariff shape around its kinks, the
// break-even as a property over random trades, the capital-gain tax at ties. The price for a
// gain after tax is the plan's, checked there.
#include "calc/costs.h"
#include "core/numbertext.h"

#include <QRandomGenerator>
#include <QTest>

using namespace margino;

Q_DECLARE_METATYPE(Tariff)

namespace {

Tariff tariff(double rate, double minimum, double maximum = 0, double maximumPercent = 0,
              double fixed = 0, double perShare = 0) {
    return {rate, minimum, maximum, maximumPercent, fixed, perShare};
}

// A random tariff: each part present or not, in the ranges brokers publish.
Tariff randomTariff(QRandomGenerator &random) {
    const auto maybe = [&](double low, double high) {
        return random.bounded(2) ? 0 : low + random.generateDouble() * (high - low);
    };
    return {maybe(0.1, 5), maybe(0.5, 10), maybe(5, 40),
            maybe(0.2, 2), maybe(0.5, 10), maybe(0.001, 0.02)};
}

// The sale amount the main window works with: the product as its text reads back.
double shownAmount(double quantity, double price) {
    const QLocale c = QLocale::c();
    return *textToNumber(numberToText(quantity * price, c), c);
}

} // namespace

class TstCosts : public QObject {
    Q_OBJECT

private slots:
    void commissionOfOneOrder_data() {
        QTest::addColumn<Tariff>("tariff");
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("quantity");
        QTest::addColumn<double>("commission");
        // Percentage with a minimum and a maximum: kinks at 1 552,63 and 10 000.
        const Tariff usual = tariff(1.9, 2.95, 19);
        QTest::newRow("usual, below the minimum") << usual << 1000.0 << 100.0 << 2.95;
        QTest::newRow("usual, at the minimum's kink") << usual << 2.95 / 0.0019 << 100.0 << 2.95;
        QTest::newRow("usual, just above the minimum") << usual << 1600.0 << 100.0 << 3.04;
        QTest::newRow("usual, just below the maximum") << usual << 9999.0 << 100.0 << 18.9981;
        QTest::newRow("usual, at the maximum's kink") << usual << 10000.0 << 100.0 << 19.0;
        QTest::newRow("no maximum, as before") << tariff(1.9, 2.95) << 50000.0 << 5000.0 << 95.0;
        // A fixed fee per order.
        QTest::newRow("fixed, small order") << tariff(0, 0, 0, 0, 7) << 100.0 << 1.0 << 7.0;
        // A fixed part plus a percentage, with a maximum.
        const Tariff fixedPlus = tariff(1, 0, 10, 0, 2);
        QTest::newRow("fixed plus rate, small") << fixedPlus << 1000.0 << 10.0 << 3.0;
        QTest::newRow("fixed plus rate, at the maximum") << fixedPlus << 8000.0 << 10.0 << 10.0;
        // An amount per share with a minimum and a maximum in percent of the order.
        const Tariff perShare = tariff(0, 1, 0, 1, 0, 0.005);
        QTest::newRow("per share, at the minimum") << perShare << 1000.0 << 100.0 << 1.0;
        QTest::newRow("per share, above the minimum") << perShare << 10000.0 << 400.0 << 2.0;
        QTest::newRow("per share, at the percent cap") << perShare << 200.0 << 400.0 << 2.0;
        QTest::newRow("per share, capped in percent") << perShare << 100.0 << 400.0 << 1.0;
        QTest::newRow("per share, cap under the minimum") << perShare << 50.0 << 400.0 << 0.5;
        // A minimum above a percentage maximum: the maximum wins.
        const Tariff minimumOverCap = tariff(1.9, 5, 0, 1);
        QTest::newRow("minimum over percent cap") << minimumOverCap << 100.0 << 10.0 << 1.0;
        QTest::newRow("minimum under percent cap") << minimumOverCap << 1000.0 << 10.0 << 5.0;
        // Both maxima: the smaller holds.
        const Tariff both = tariff(20, 0, 19, 1);
        QTest::newRow("both maxima, percent smaller") << both << 1000.0 << 10.0 << 10.0;
        QTest::newRow("both maxima, amount smaller") << both << 5000.0 << 10.0 << 19.0;
        QTest::newRow("both maxima, neither reached") << both << 50.0 << 10.0 << 0.5;
    }
    void commissionOfOneOrder() {
        // State: a tariff. Action: the commission of one order. Expected: the published one.
        QFETCH(Tariff, tariff);
        QFETCH(double, amount);
        QFETCH(double, quantity);
        QFETCH(double, commission);
        QCOMPARE(roundTo(orderCommission(tariff, amount, quantity), 6), commission);
    }

    void breakEven_isExactAndNeverShownBelow() {
        // State: random trades under random tariffs, with and without the transaction tax.
        // Action: the break-even price, and the price a nine-cell panel shows of it.
        // Expected: the gain there is zero to the cent; at the shown price never negative.
        QRandomGenerator random(16);
        for (int i = 0; i < 20000; ++i) {
            Costs costs{randomTariff(random), {0.2, random.bounded(2) == 1}, 26};
            const double quantity = 1 + random.bounded(20000);
            const double price = roundTo(0.05 + random.generateDouble() * 200, 4);
            const double breakEven = salePriceForGain(costs, quantity, price, 0, false);
            const QByteArray trade = "case " + QByteArray::number(i); // the generator is seeded
            QVERIFY2(std::isfinite(breakEven), trade);
            QVERIFY2(roundTo(netGain(costs, quantity, price, breakEven), 2) == 0, trade);
            const QString shown = priceRoundedUp(breakEven, 9, QLocale::c());
            QVERIFY2(shown.size() <= 9, trade + " shown " + shown.toLatin1());
            const double panel = *textToNumber(shown, QLocale::c());
            // Below it by no more than its 15 significant digits leave out.
            QVERIFY2(panel >= *textToNumber(numberToText(breakEven, QLocale::c()), QLocale::c()),
                     trade + " shown " + shown.toLatin1());
            const double gain = netGainOfAmounts(costs, quantity, shownAmount(quantity, price),
                                                 shownAmount(quantity, panel));
            QVERIFY2(roundTo(gain, 2) >= 0, trade + " shown " + shown.toLatin1());
        }
    }

    void figures_data() {
        QTest::addColumn<double>("quantity");
        QTest::addColumn<double>("purchase");
        QTest::addColumn<double>("sale");
        QTest::addColumn<double>("gain");
        QTest::addColumn<QString>("breakEven"); // as the panel shows it
        QTest::newRow("no maximum") << 5000.0 << 10.0 << 10.5 << 2305.25 << "10.038073";
        QTest::newRow("rate on the sale") << 2000.0 << 10.0 << 10.038 << -0.14 << "10.038073";
        QTest::newRow("minimum on both") << 100.0 << 10.0 << 10.5 << 44.1 << "10.059";
    }
    void figures() {
        // State: a trade at 1,9 ‰ with a minimum of 2,95, no maximum. Action: its gain and
        // break-even. Expected: the broker's.
        QFETCH(double, quantity);
        QFETCH(double, purchase);
        QFETCH(double, sale);
        const Costs costs{tariff(1.9, 2.95), {0.2, false}, 26};
        QTEST(roundTo(netGain(costs, quantity, purchase, sale), 2), "gain");
        QTEST(
            priceRoundedUp(salePriceForGain(costs, quantity, purchase, 0, false), 9, QLocale::c()),
            "breakEven");
    }

    void capitalGainTax_halfCentsGoUp_data() {
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("gain");
        QTest::addColumn<qint64>("taxCents");
        QTest::addColumn<double>("afterTax");
        // Each tax ends in half a cent, which a binary product may put on either side.
        QTest::newRow("26 %, 0,75") << 26.0 << 0.75 << qint64(20) << 0.55;
        QTest::newRow("26 %, 1,75") << 26.0 << 1.75 << qint64(46) << 1.29;
        QTest::newRow("26 %, 6,75") << 26.0 << 6.75 << qint64(176) << 4.99;
        QTest::newRow("26 %, 10,75") << 26.0 << 10.75 << qint64(280) << 7.95;
        QTest::newRow("12,5 %, 0,04") << 12.5 << 0.04 << qint64(1) << 0.03;
        QTest::newRow("12,5 %, 0,20") << 12.5 << 0.2 << qint64(3) << 0.17;
        QTest::newRow("12,5 %, 1,00") << 12.5 << 1.0 << qint64(13) << 0.87;
        QTest::newRow("12,5 %, 1 234,52") << 12.5 << 1234.52 << qint64(15432) << 1080.2;
        QTest::newRow("no tax on a loss") << 26.0 << -3.75 << qint64(0) << -3.75;
    }
    void capitalGainTax_halfCentsGoUp() {
        // State: a gain whose tax ends in half a cent. Action: the tax and the gain after it.
        // Expected: the half cent goes up, as a withholding does.
        QFETCH(double, rate);
        QFETCH(double, gain);
        QTEST(capitalGainTaxCents(rate, gain), "taxCents");
        const Costs costs{{}, {}, rate};
        QTEST(gainAfterTax(costs, 1, 100, 100 + gain), "afterTax");
    }

    void roundedUpPrice_data() {
        QTest::addColumn<double>("price");
        QTest::addColumn<QString>("shown");
        QTest::newRow("exact last digit") << 1.1234567 << "1,1234567";
        QTest::newRow("just over") << 1.12345671 << "1,1234568";
        QTest::newRow("large") << 12345678.1 << "12345679";
        QTest::newRow("small") << 0.000000012 << "0,0000001";
    }
    void roundedUpPrice() {
        // State: a price. Action: its nine-cell panel text. Expected: never below it.
        QFETCH(double, price);
        QTEST(priceRoundedUp(price, 9, QLocale(QLocale::Italian, QLocale::Italy)), "shown");
    }
};

QTEST_APPLESS_MAIN(TstCosts)
#include "tst_costs.moc"
