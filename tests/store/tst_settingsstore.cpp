// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store on the real file: the exact statements, the one-row reads and the
// refusals that must neither crash nor half-run.
#include "platform/sqlitedatabase.h"
#include "store/statements.h"
#include "support/datafile.h"

#include <QTest>
#include <sqlite3.h>
#include <thread>

using namespace margino;
namespace st = margino::statements;

namespace {

const QStringList Tables{QStringLiteral("System"), QStringLiteral("Settaggi")};

double read(Database &db, QStringView query, const char *field) {
    return db.OpenRecordset(query).number(QString::fromLatin1(field));
}

int errorOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const DbError &error) {
        return error.number();
    }
    return SQLITE_OK;
}

} // namespace

class TstSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void statements_runCharacterForCharacterOnTheShippedFile() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        const QLocale it(QLocale::Italian, QLocale::Italy);
        QCOMPARE(read(db, st::SelectSystemForCalc, "Commissioni"), 1.9);
        QCOMPARE(read(db, st::SelectSystem, "CommissioniMin"), 2.95);
        QCOMPARE(read(db, st::SelectSettaggi, "CapitalGain"), 26.0);
        const QString settaggi = st::updateSettaggi("22", "150", "3,5", it);
        QCOMPARE(settaggi, "UPDATE Settaggi SET CapitalGain =22,SLMM =150,SLP = 3.5");
        const QString system = st::updateSystem("2,95", "0,19", it);
        QCOMPARE(system, "UPDATE System SET CommissioniMin =2.95,Commissioni =0.19");
        db.Execute(settaggi);
        db.Execute(system);
        QCOMPARE(read(db, st::SelectSettaggi, "SLP"), 3.5);
        QCOMPARE(read(db, st::SelectSettaggi, "SLMM"), 150.0);
        QCOMPARE(read(db, st::SelectSystem, "Commissioni"), 0.19);
        // The comma rule changes every comma and nothing else; the engine judges the rest.
        QCOMPARE(st::toStatementNumber(" 1,2,3", it), " 1.2.3");
        QCOMPARE(errorOf([&] { db.Execute(st::updateSettaggi("1,2,3", "7", "7", it)); }),
                 SQLITE_ERROR);
        QCOMPARE(read(db, st::SelectSettaggi, "SLMM"), 150.0);
    }

    void twoRows_updateSetsBothAndReadsTakeTheFirst() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        db.Execute(u"INSERT INTO Settaggi (CapitalGain, SLP, SLMM) VALUES (12, 8, 300)");
        QCOMPARE(read(db, st::SelectSettaggi, "SLP"), 5.0);
        db.Execute(st::updateSettaggi("20", "70", "7,5", QLocale(QLocale::Italian)));
        QCOMPARE(read(db, u"SELECT COUNT(*) AS n FROM Settaggi WHERE SLP = 7.5", "n"), 2.0);
    }

    void secondStatement_isRefusedAndNothingRuns() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        QCOMPARE_NE(
            errorOf([&] { db.Execute(u"UPDATE Settaggi SET SLP = 9; DELETE FROM System"); }),
            SQLITE_OK);
        QCOMPARE(read(db, st::SelectSettaggi, "SLP"), 5.0);
        QCOMPARE(read(db, st::SelectSystem, "Commissioni"), 1.9);
        db.Execute(u"UPDATE Settaggi SET SLP = 9; -- a closing semicolon is no second statement");
        QCOMPARE(read(db, st::SelectSettaggi, "SLP"), 9.0);
    }

    void open_refusesAFileThatIsNotTheSettingsDatabase_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("number");
        QTest::newRow("missing file, not created") << QByteArray("missing") << SQLITE_CANTOPEN;
        QTest::newRow("folder in its place") << QByteArray("folder") << SQLITE_CANTOPEN;
        QTest::newRow("empty file") << QByteArray() << SQLITE_ERROR;
        QTest::newRow("not a database") << QByteArray(2048, 'x') << SQLITE_NOTADB;
        QTest::newRow("without Settaggi") << QByteArray("drop") << SQLITE_ERROR;
        QTest::newRow("locked past the wait") << QByteArray("lock") << SQLITE_BUSY;
    }
    void open_refusesAFileThatIsNotTheSettingsDatabase() {
        QFETCH(QByteArray, content);
        QFETCH(int, number);
        DataFileCopy file;
        QFile::remove(file.path());
        sqlite3 *other = nullptr;
        if (content == "folder") {
            QVERIFY(QDir().mkdir(file.path()));
        } else if (content == "drop" || content == "lock") {
            QVERIFY(QFile::copy(MARGINO_DATA_FILE, file.path()));
            sqlite3_open(file.path().toUtf8().constData(), &other);
            sqlite3_exec(other, content == "drop" ? "DROP TABLE Settaggi" : "BEGIN EXCLUSIVE",
                         nullptr, nullptr, nullptr);
        } else if (content != "missing") {
            QFile f(file.path());
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        }
        QCOMPARE(errorOf([&] { SqliteDatabase(file.path(), Tables); }), number);
        QCOMPARE(QFile::exists(file.path()), content != "missing");
        sqlite3_close(other);
    }

    void shortLockByAnotherProcess_isWaitedOut() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        sqlite3 *other = nullptr;
        sqlite3_open(file.path().toUtf8().constData(), &other);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        std::thread release([other] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        });
        db.Execute(st::updateSystem("3", "2", QLocale(QLocale::Italian)));
        release.join();
        sqlite3_close(other);
        QCOMPARE(read(db, st::SelectSystem, "CommissioniMin"), 3.0);
    }
};

QTEST_GUILESS_MAIN(TstSettingsStore)
#include "tst_settingsstore.moc"
