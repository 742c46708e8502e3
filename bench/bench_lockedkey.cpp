// SPDX-License-Identifier: GPL-3.0-or-later
// A quantity key's recalculation, both sides, while another connection holds the settings file
// locked: how long the key waits before its sides blank. Run: build/bench/bench_lockedkey
// -median 3 (each pass waits out the busy timeout).

#include "calc/tradecalculator.h"
#include "platform/sqlitedatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>

using namespace margino;

class BenchLockedKey : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<SqliteDatabase> db;
    TradeTexts texts;
    const QLocale locale{QStringLiteral("it_IT")};

private slots:
    void initTestCase() {
        const QString path = dir.filePath(QStringLiteral("DataMg.mgd"));
        QVERIFY(QFile::copy(QStringLiteral(MARGINO_DATA_FILE), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        db = std::make_unique<SqliteDatabase>(
            path, QStringList{QStringLiteral("System"), QStringLiteral("Settaggi")});
        texts.quantity = QStringLiteral("15");
        texts.price = QStringLiteral("12,34");
        texts.sale = QStringLiteral("13,21");
    }

    void quantityKeyUnderAnExternalLock() {
        sqlite3 *other = nullptr;
        sqlite3_open(qPrintable(dir.filePath(QStringLiteral("DataMg.mgd"))), &other);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        TradeCalculator calculator(*db);
        QBENCHMARK {
            QVERIFY(calculator.purchaseSide(texts, locale));
        }
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
    }
};

QTEST_GUILESS_MAIN(BenchLockedKey)
#include "bench_lockedkey.moc"
