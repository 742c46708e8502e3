// SPDX-License-Identifier: GPL-3.0-or-later
// Which failures of a run of recalculations reach the user: each failure once, again after a
// run succeeds, and a different failure at once.

#include "calc/tradecalculator.h"

#include <QTest>

using namespace margino;

class TestFailureLatch : public QObject {
    Q_OBJECT

private slots:
    void eachFailureReportedOnceUntilARunSucceeds_data();
    void eachFailureReportedOnceUntilARunSucceeds();
};

void TestFailureLatch::eachFailureReportedOnceUntilARunSucceeds_data() {
    QTest::addColumn<QList<int>>("outcomes"); // error numbers, 0 for a run that succeeds
    QTest::addColumn<QList<int>>("reported"); // what reaches the user, 0 for nothing
    QTest::newRow("same failure at every key") << QList<int>{94, 94, 94} << QList<int>{94, 0, 0};
    QTest::newRow("failure after a mend") << QList<int>{94, 0, 94} << QList<int>{94, 0, 94};
    QTest::newRow("another failure while failing") << QList<int>{94, 3021} << QList<int>{94, 3021};
    QTest::newRow("back to the first failure")
        << QList<int>{94, 3021, 94} << QList<int>{94, 3021, 94};
    QTest::newRow("successes only") << QList<int>{0, 0} << QList<int>{0, 0};
}

// State: a fresh latch. Action: admit each run's outcome in turn. Expected: the reports listed.
void TestFailureLatch::eachFailureReportedOnceUntilARunSucceeds() {
    QFETCH(QList<int>, outcomes);
    QFETCH(QList<int>, reported);
    FailureLatch latch;
    QList<int> actual;
    for (const int number : outcomes) {
        const std::optional<RuntimeError> outcome =
            number ? std::optional(RuntimeError(number, QStringLiteral("guasto"))) : std::nullopt;
        const std::optional<RuntimeError> report = latch.admit(outcome);
        actual << (report ? report->number() : 0);
        QCOMPARE(latch.failing(), number != 0);
    }
    QCOMPARE(actual, reported);
}

QTEST_GUILESS_MAIN(TestFailureLatch)
#include "tst_failurelatch.moc"
