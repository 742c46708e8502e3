// SPDX-License-Identifier: GPL-3.0-or-later
// What every keystroke will pay before any drawing: the settings queries on the real file
// and the number conversions. Run: build/bench/bench_foundation [-median 9]
#include "core/numbertext.h"
#include "platform/sqlitedatabase.h"
#include "store/statements.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;
namespace st = margino::statements;

class BenchFoundation : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<SqliteDatabase> db;

private slots:
    void initTestCase() {
        const QString path = dir.filePath(QStringLiteral("DataMg.mgd"));
        QVERIFY(QFile::copy(QStringLiteral(MARGINO_DATA_FILE), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        db = std::make_unique<SqliteDatabase>(path, QStringList{"System", "Settaggi"});
    }

    void purchaseSideQueries() {
        QBENCHMARK {
            const Recordset system = db->OpenRecordset(st::SelectSystemForCalc);
            const Recordset settaggi = db->OpenRecordset(st::SelectSettaggi);
            QVERIFY(system.number(QStringLiteral("Commissioni")) > 0 &&
                    settaggi.number(QStringLiteral("SLP")) > 0);
        }
    }

    void conversionsOfOneKeystroke() {
        const QLocale italian(QLocale::Italian, QLocale::Italy);
        QBENCHMARK {
            // Four inputs read, six results written, as a full recalculation does.
            double sum = 0;
            for (const char *text : {"100", "9,95", "10,5", "995"})
                sum += textToNumber(QString::fromLatin1(text), italian).value_or(0);
            for (int i = 0; i < 6; ++i)
                sum += numberToText(roundTo(sum / (i + 3), 4), italian).size();
            QVERIFY(sum > 0);
        }
    }
};

QTEST_GUILESS_MAIN(BenchFoundation)
#include "bench_foundation.moc"
