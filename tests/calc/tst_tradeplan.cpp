// SPDX-License-Identifier: GPL-3.0-or-later
// Planning a trade: the target price is the lowest tick reaching the gain, checked with the
// costs' own gain functions over random trades; the reward/risk against hand-computed trades;
// the stop's refusals; the chart's points at the marks and kinks.
#include "calc/gaincurve.h"
#include "calc/planexplanations.h"
#include "calc/tradeplan.h"
#include "core/numbertext.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>

using namespace margino;

namespace {

const QLocale Italian(QStringLiteral("it_IT"));

Costs shipped() {
    Costs costs;
    costs.tariff.rate = 1.9;
    costs.tariff.minimum = 2.95;
    costs.capitalGainPercent = 26;
    return costs;
}

qint64 cents(double money) {
    return std::llround(money * 100);
}

// The gain at a price straight from the costs, to the cent.
qint64 gainCents(const Costs &c, qint64 q, double price, double sale, bool afterTax) {
    return cents(afterTax ? gainAfterTax(c, double(q), price, sale)
                          : netGain(c, double(q), price, sale));
}

PlanInputs inputs(const QString &stop, const QString &target,
                  TargetKind kind = TargetKind::GainEuro) {
    return {QStringLiteral("10"), stop, QStringLiteral("100"), {}, target, kind, false, {}};
}

} // namespace

class TstTradePlan : public QObject {
    Q_OBJECT

private slots:
    // State: random tariffs (rate, minimum, maximums, fixed, per share, transaction tax),
    // trades and gains. Action: the lowest price for the gain, before and after tax.
    // Expected: at that price the gain (to the cent) reaches the target; a tick lower it does not.
    void targetPrice_isTheLowestTickThatReachesTheGain() {
        QRandomGenerator random(17);
        const auto uniform = [&](double low, double high) {
            return low + random.generateDouble() * (high - low);
        };
        for (int i = 0; i < 2000; ++i) {
            Costs c;
            c.tariff.rate = roundTo(uniform(0, 5), 2);
            c.tariff.minimum = random.bounded(3) ? roundTo(uniform(0, 12), 2) : 0;
            c.tariff.maximum = random.bounded(3) ? 0 : roundTo(uniform(12, 40), 2);
            c.tariff.maximumPercent = random.bounded(4) ? 0 : roundTo(uniform(0.5, 3), 2);
            c.tariff.fixed = random.bounded(3) ? 0 : roundTo(uniform(0, 3), 2);
            c.tariff.perShare = random.bounded(3) ? 0 : roundTo(uniform(0, 0.02), 3);
            c.tax.ratePercent = roundTo(uniform(0.1, 0.5), 2);
            c.tax.applies = random.bounded(2) == 0;
            c.capitalGainPercent = roundTo(uniform(0, 30), 1);
            const qint64 q = 1 + random.bounded(5000);
            const double price = roundTo(uniform(0.05, 300), 4);
            const double target = roundTo(uniform(0, 3000), 2);
            const bool afterTax = i % 2;
            const double answer = lowestPriceFor(c, q, price, target, afterTax);
            const QByteArray trade = "case " + QByteArray::number(i); // the generator is seeded
            QVERIFY2(std::abs(answer * 10000 - std::round(answer * 10000)) < 1e-6, trade);
            QVERIFY2(gainCents(c, q, price, answer, afterTax) >= cents(target), trade);
            QVERIFY2(gainCents(c, q, price, answer - 0.0001, afterTax) < cents(target), trade);
        }
    }

    void rewardRisk_matchesHandComputedTrades_data() {
        QTest::addColumn<QStringList>("trade"); // price, stop, budget and sale price, as typed
        QTest::addColumn<qint64>("quantity");
        QTest::addColumn<double>("loss");
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("ratio");
        // 186 × 0,5 + 3,534 + 3,3573 = 99,89; 186 × 1 − 3,534 − 3,8874 = 178,58
        QTest::newRow("rate on both orders")
            << QStringList{"10", "9,5", "100", "11"} << 186LL << 99.89 << 178.58 << 1.79;
        // 141 × 0,1 + 2 × 2,95 = 20,00; 141 × 0,2 − 5,90 = 22,30: 1,115 rounds up
        QTest::newRow("minimums, a half rounded up")
            << QStringList{"1", "0,9", "20", "1,2"} << 141LL << 20.0 << 22.3 << 1.12;
        // 141 × 0 − 5,90: a loss at the target gives a negative ratio, the half away from zero
        QTest::newRow("target below the break-even")
            << QStringList{"1", "0,9", "20", "1"} << 141LL << 20.0 << -5.9 << -0.30;
    }
    // State: the shipped tariff, no transaction tax. Action: plan with a sale price as target.
    // Expected: the quantity, the loss at the stop, the gain and the ratio computed by hand.
    void rewardRisk_matchesHandComputedTrades() {
        QFETCH(QStringList, trade);
        const TradePlan plan = planTrade(
            {trade[0], trade[1], trade[2], {}, trade[3], TargetKind::SalePrice, false, {}},
            shipped(), Italian);
        QVERIFY2(plan.refusal.isEmpty(), qPrintable(plan.refusal));
        QTEST(plan.quantity, "quantity");
        QTEST(plan.costs.lossAtStop, "loss");
        QTEST(plan.gain, "gain");
        QTEST(plan.rewardRisk, "ratio");
    }

    // State: price 10, the shipped settings (stop 5 %, budget 100 €), no quantity anywhere.
    // Action: the stop from the price, a net gain of 200 € as target. Expected: stop 9,5,
    // 186 shares, target 11,1154 (200,00 €; 11,1153 gives 199,98), ratio 2,00, break-even 10,0381.
    void stopFromThePrice_givesTheQuantityAndTheTarget() {
        const QString stop = percentStop(QStringLiteral("10"), 5, Italian);
        QCOMPARE(stop, QStringLiteral("9,5"));
        const TradePlan plan = planTrade(inputs(stop, QStringLiteral("200")), shipped(), Italian);
        QCOMPARE(plan.quantity, 186);
        QCOMPARE(plan.target, 11.1154);
        QCOMPARE(plan.gain, 200.0);
        QCOMPARE(plan.belowTarget.value(), 199.98);
        QCOMPARE(plan.rewardRisk, 2.0);
        QCOMPARE(plan.breakEven, 10.0381);
        // 10 % of 1860 € is 186 €; after tax the same 200 € needs a higher price.
        const TradePlan percent = planTrade(
            inputs(stop, QStringLiteral("10"), TargetKind::GainPercent), shipped(), Italian);
        QCOMPARE(percent.gainTarget.value(), 186.0);
        PlanInputs taxed = inputs(stop, QStringLiteral("200"));
        taxed.afterTax = true;
        const TradePlan after = planTrade(taxed, shipped(), Italian);
        QCOMPARE(after.target, 11.4939);
        QCOMPARE(after.afterTax, 200.0);
    }

    void stop_refusedWhenItCannotBeOne_data() {
        QTest::addColumn<QString>("stop");
        QTest::addColumn<QString>("refusal");
        for (const auto &[row, stop, refusal] :
             {std::tuple{"empty", "", "Inserisci il prezzo di stop"},
              {"not a number", "9,5,1", "non è un numero"},
              {"zero", "0", "maggiore di zero"},
              {"at the price", "10", "sotto il prezzo di acquisto"},
              {"above the price", "12", "sotto il prezzo di acquisto"}})
            QTest::newRow(row) << QString(stop) << QString::fromUtf8(refusal);
    }
    // State: price 10. Action: plan with the stop given. Expected: no quantity, the reason.
    void stop_refusedWhenItCannotBeOne() {
        QFETCH(QString, stop);
        QFETCH(QString, refusal);
        const TradePlan plan = planTrade(inputs(stop, QStringLiteral("200")), shipped(), Italian);
        QCOMPARE(plan.quantity, 0);
        QVERIFY2(plan.refusal.contains(refusal), qPrintable(plan.refusal));
        QVERIFY(answerText(Answer::Quantity, plan, Italian).isEmpty());
    }

    // State: 186 shares at 10, a 5 € maximum commission (from a sale of 2631,58 €, 14,1483 a
    // share; the 2,95 € minimum ends at 8,3475), the target price 15, the main window's sale at
    // 12. Action: the curve. Expected: each mark at its price with the gain there, the kinks
    // among the points.
    void curve_marksTheKeyPricesAndTheKinks() {
        Costs c = shipped();
        c.tariff.maximum = 5;
        const TradePlan plan = planTrade(
            inputs(QStringLiteral("9,5"), QStringLiteral("15"), TargetKind::SalePrice), c, Italian);
        const GainCurve curve = gainCurve(plan, c, 12.0);
        QMap<CurveMark::Kind, double> at;
        for (const CurveMark &m : curve.marks) {
            at[m.kind] = m.price;
            QCOMPARE(m.gain, gainAt(c, 186, 10, m.price, false));
        }
        QCOMPARE(at.value(CurveMark::Stop), 9.5);
        QCOMPARE(at.value(CurveMark::BreakEven), plan.breakEven);
        QCOMPARE(at.value(CurveMark::Target), 15.0);
        QCOMPARE(at.value(CurveMark::Sale), 12.0);
        QVERIFY(std::abs(at.value(CurveMark::MaximumStarts) - 5 / 0.0019 / 186) < 1e-9);
        QVERIFY(std::abs(at.value(CurveMark::MinimumEnds) - 2.95 / 0.0019 / 186) < 1e-9);
        QVERIFY(curve.low < 9.5 && curve.high > 15);
        const auto kink = std::find_if(curve.gain.begin(), curve.gain.end(), [&](QPointF p) {
            return p.x() == at.value(CurveMark::MaximumStarts);
        });
        QVERIFY(kink != curve.gain.end());
    }
};

QTEST_APPLESS_MAIN(TstTradePlan)
#include "tst_tradeplan.moc"
