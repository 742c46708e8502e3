// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store on the real file: the exact statements, the one-row reads and the
// refusals that must neither crash nor half-run.
#include "platform/sqlitedatabase.h"
#include "store/statements.h"
#include "support/datafile.h"

#include <QTest>
#include <cerrno>
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

    void engineFailure_leadsWithItsCauseInItalian_data() {
        QTest::addColumn<int>("code"); // extended result code
        QTest::addColumn<int>("systemErrno");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("summary");
        const QString full = "Il disco è pieno.";
        QTest::newRow("disk full") << SQLITE_FULL << 0 << "database or disk is full" << full;
        QTest::newRow("sync on a full disk")
            << SQLITE_IOERR_FSYNC << ENOSPC << "disk I/O error" << full;
        QTest::newRow("write beyond the quota")
            << SQLITE_IOERR_WRITE << EDQUOT << "disk I/O error" << full;
        QTest::newRow("read-only disk") << SQLITE_IOERR_WRITE << EROFS << "disk I/O error"
                                        << "Il disco è di sola lettura.";
        QTest::newRow("read-only folder")
            << SQLITE_READONLY_DIRECTORY << 0 << "attempt to write a readonly database"
            << "La cartella del file delle impostazioni è di sola lettura: non vi si possono "
               "salvare le modifiche.";
        QTest::newRow("read-only file")
            << SQLITE_READONLY << 0 << "attempt to write a readonly database"
            << "Il file delle impostazioni è di sola lettura.";
        QTest::newRow("no permission to open")
            << SQLITE_CANTOPEN << EACCES << "unable to open database file"
            << "Mancano i permessi per aprire il file delle impostazioni.";
        QTest::newRow("missing table") << SQLITE_ERROR << 0 << "no such table: Settaggi"
                                       << "Il file delle impostazioni non ha la tabella Settaggi.";
        QTest::newRow("other error: the engine's text alone")
            << SQLITE_ERROR << 0 << "near \"x\": syntax error"
            << "";
    }
    void engineFailure_leadsWithItsCauseInItalian() {
        QFETCH(int, code);
        QFETCH(int, systemErrno);
        QFETCH(QString, message);
        QFETCH(QString, summary);
        // State: a failure as the engine reports it. Action: read it.
        // Expected: the Italian sentence for its cause, or none.
        QCOMPARE(engineFailureSummary(code, systemErrno, message), summary);
    }

    // State: an open settings file. Action: another program renames a table, then a read;
    // the file may grow no more, then a write. Expected: each failure names its cause in
    // Italian and keeps the engine's number and text as the detail.
    void realFailures_nameTheirCause() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        sqlite3 *other = nullptr;
        sqlite3_open(file.path().toUtf8().constData(), &other);
        sqlite3_exec(other, "ALTER TABLE System RENAME TO S", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        try {
            db.OpenRecordset(st::SelectSystem);
            QFAIL("no error");
        } catch (const DbError &error) {
            QCOMPARE(error.number(), SQLITE_ERROR);
            QCOMPARE(error.summary(), "Il file delle impostazioni non ha la tabella System.");
            QCOMPARE(error.description(), "no such table: System");
        }
        db.Execute(u"PRAGMA max_page_count = 1"); // as many pages as it has
        try {
            db.Execute(u"CREATE TABLE Grown (x)");
            QFAIL("no error");
        } catch (const DbError &error) {
            QCOMPARE(error.number(), SQLITE_FULL);
            QCOMPARE(error.summary(), "Il disco è pieno.");
        }
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
