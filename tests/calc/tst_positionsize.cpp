// SPDX-License-Identifier: GPL-3.0-or-later
// Sizing a position from the risk, checked against the loss and the cost worked out here
// independently: the answer is within every limit and one share more is not.
#include "calc/positionsize.h"

#include <QTest>
#include <algorithm>

using namespace margino;

namespace {

constexpr double Rate = 1.9, Minimum = 2.95;

double commission(double amount) {
    return std::max(amount * Rate / 1000, Minimum);
}
double lossAt(const PositionRequest &r, double q) {
    return q * (r.price - r.stop) + commission(q * r.price) + commission(q * r.stop);
}
bool within(const PositionRequest &r, double q) {
    const double cost = q * r.price + commission(q * r.price);
    return lossAt(r, q) <= r.budget + 0.005 && (!r.capital || cost <= *r.capital + 0.005);
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
            PositionRequest request{price, stop, budget, std::nullopt};
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
        Costs costs;
        costs.tariff.rate = Rate;
        costs.tariff.minimum = Minimum;
        const PositionSize size = sizePosition(request, costs, QLocale(QStringLiteral("it_IT")));
        QCOMPARE(size.quantity, quantity);
        QVERIFY2(size.refusal.contains(refusal), qPrintable(size.refusal));
        QCOMPARE(size.refusal.isEmpty(), refusal.isEmpty());
        if (quantity == 0)
            return;
        QVERIFY(within(request, double(quantity)));
        QVERIFY(quantity == 999999999 || !within(request, double(quantity + 1)));
        QCOMPARE(size.costs.amount, double(quantity) * request.price);
        QVERIFY(qAbs(size.costs.lossAtStop - lossAt(request, double(quantity))) < 0.005);
    }
};

QTEST_APPLESS_MAIN(TstPositionSize)
#include "tst_positionsize.moc"
