// SPDX-License-Identifier: GPL-3.0-or-later
// Sizing a position from the risk, checked against hand-worked trades and against counting
// quantities one by one: the answer is within every limit, unrounded, and one share more is not.
#include "calc/positionsize.h"

#include "core/numbertext.h"

#include <QRandomGenerator>
#include <QTest>

using namespace margino;

namespace {

// Whether q shares fit: the loss at the stop within the budget and the outlay within the
// capital, unrounded, by the costs' own functions (their figures have their own suite).
bool fits(const PositionRequest &r, double q) {
    const double amount = q * r.price;
    const double outlay =
        amount + orderCommission(r.costs.tariff, amount, q) + transactionTax(r.costs.tax, amount);
    return -netGain(r.costs, q, r.price, r.stop) <= r.budget + 1e-9 &&
           (!r.capital || outlay <= *r.capital + 1e-9);
}

} // namespace

Q_DECLARE_METATYPE(PositionRequest)

class TstPositionSize : public QObject {
    Q_OBJECT

private slots:
    void largestQuantityWithinTheLimits_data() {
        QTest::addColumn<PositionRequest>("request");
        QTest::addColumn<qint64>("quantity");
        QTest::addColumn<QString>("refusal"); // a word of the explanation; empty: a quantity
        const auto r = [](double price, double stop, double budget, double capital = 0) {
            PositionRequest request{price, stop, budget, {{1.9, 2.95}, {}, 0}, std::nullopt};
            if (capital > 0)
                request.capital = capital;
            return request;
        };
        QTest::newRow("budget just enough for one share") << r(10, 9, 6.9) << 1LL << "";
        QTest::newRow("a cent short of one share") << r(10, 9, 6.89) << 0LL << "Già";
        QTest::newRow("minimum commission decides") << r(1, 0.9, 20) << 141LL << "";
        QTest::newRow("rate decides") << r(100, 95, 1000) << 186LL << "";
        QTest::newRow("capital decides") << r(10, 9, 1000, 500) << 49LL << "";
        QTest::newRow("capital below one share") << r(10, 9, 1000, 5) << 0LL << "capitale";
        QTest::newRow("stop at the price") << r(10, 10, 1000) << 0LL << "stop";
        QTest::newRow("stop above the price") << r(10, 11, 1000) << 0LL << "stop";
        QTest::newRow("budget below the two minimums") << r(10, 9, 5.89) << 0LL << "minime";
        QTest::newRow("no price") << r(0, 0, 100) << 0LL << "prezzo";
        QTest::newRow("tiny distance stops at the field's nine digits")
            << r(1, 0.9999, 1e9) << 999999999LL << "";
    }
    void largestQuantityWithinTheLimits() {
        QFETCH(PositionRequest, request);
        QFETCH(qint64, quantity);
        QFETCH(QString, refusal);
        const PositionSize size = sizePosition(request, QLocale(QStringLiteral("it_IT")));
        QCOMPARE(size.quantity, quantity);
        QVERIFY2(size.refusal.contains(refusal), qPrintable(size.refusal));
        QCOMPARE(size.refusal.isEmpty(), refusal.isEmpty());
        if (quantity == 0)
            return;
        QVERIFY(fits(request, double(quantity)));
        QVERIFY(quantity == 999999999 || !fits(request, double(quantity + 1)));
        QCOMPARE(size.amount, double(quantity) * request.price);
        QVERIFY(qAbs(size.lossAtStop +
                     netGain(request.costs, double(quantity), request.price, request.stop)) < 1e-6);
        QVERIFY(size.lossAtStop <= request.budget);
    }

    void searchAgreesWithBruteForce() {
        // State: random trades under tariffs with a maximum and the transaction tax.
        // Action: size the position. Expected: the largest quantity counting one by one whose
        // loss at the stop, unrounded, is within the budget and whose cost within the capital.
        QRandomGenerator random(3);
        const QLocale it(QStringLiteral("it_IT"));
        for (int i = 0; i < 300; ++i) {
            const double price = 1 + random.bounded(20000) / 100.0;
            const double stop = price * (0.8 + random.generateDouble() * 0.19);
            PositionRequest r{price,
                              roundTo(stop, 4),
                              50 + random.bounded(2000.0),
                              {{random.bounded(3.0), random.bounded(5.0), 5 + random.bounded(20.0),
                                random.bounded(2) ? 0.0 : 1.0, random.bounded(2) ? 0.0 : 1.5,
                                random.bounded(2) ? 0.0 : 0.01},
                               {0.2, random.bounded(2) == 1},
                               0},
                              std::nullopt};
            if (random.bounded(3) == 0)
                r.capital = random.bounded(50000.0);
            // Every other budget a fraction of a cent below some quantity's loss: rounding the
            // loss to the cent would let that quantity through.
            if (i % 2 == 0) {
                const double q = 1 + random.bounded(500);
                r.budget = -netGain(r.costs, q, r.price, r.stop) - 0.001 * (1 + random.bounded(4));
            }
            qint64 brute = 0;
            while (fits(r, double(brute + 1)))
                ++brute;
            const PositionSize size = sizePosition(r, it);
            QVERIFY2(size.quantity == brute, qPrintable(QString::number(i)));
        }
    }
};

QTEST_APPLESS_MAIN(TstPositionSize)
#include "tst_positionsize.moc"
