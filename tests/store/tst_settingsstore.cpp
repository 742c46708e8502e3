// The settings store on the real file: the exact statements, the comma rule, the one-row
// reads and the refusals that must not crash or half-run.
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

int countRows(Database &db, const QString &where) {
    return int(db.OpenRecordset(QStringLiteral("SELECT COUNT(*) AS n FROM ") + where)
                   .number(QStringLiteral("n")));
}

} // namespace

class TstSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void shippedFile_answersTheThreeQueriesExactlyAsWritten() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        const Recordset calc = db.OpenRecordset(st::SelectSystemForCalc);
        QCOMPARE(calc.number(QStringLiteral("Commissioni")), 1.9);
        QCOMPARE(calc.number(QStringLiteral("CommissioniMin")), 2.95);
        QCOMPARE(db.OpenRecordset(st::SelectSystem).number(QStringLiteral("Commissioni")), 1.9);
        const Recordset settaggi = db.OpenRecordset(st::SelectSettaggi);
        QCOMPARE(settaggi.number(QStringLiteral("CapitalGain")), 26.0);
        QCOMPARE(settaggi.number(QStringLiteral("SLP")), 5.0);
        QCOMPARE(settaggi.number(QStringLiteral("SLMM")), 100.0);
    }

    void updates_areBuiltCharacterForCharacterAndTakeEffect() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        const QString settaggi =
            st::updateSettaggi(QStringLiteral("22"), QStringLiteral("150"), QStringLiteral("3,5"));
        QCOMPARE(settaggi,
                 QStringLiteral("UPDATE Settaggi SET CapitalGain =22,SLMM =150,SLP = 3.5"));
        const QString system = st::updateSystem(QStringLiteral("2,95"), QStringLiteral("0,19"));
        QCOMPARE(system,
                 QStringLiteral("UPDATE System SET CommissioniMin =2.95,Commissioni =0.19"));
        db.Execute(settaggi);
        db.Execute(system);
        const Recordset s = db.OpenRecordset(st::SelectSettaggi);
        QCOMPARE(s.number(QStringLiteral("CapitalGain")), 22.0);
        QCOMPARE(s.number(QStringLiteral("SLMM")), 150.0);
        QCOMPARE(s.number(QStringLiteral("SLP")), 3.5);
        QCOMPARE(db.OpenRecordset(st::SelectSystem).number(QStringLiteral("Commissioni")), 0.19);
    }

    void commaRule_replacesEveryCommaAndNothingElse_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("statement");
        QTest::newRow("decimal comma") << "3,5"
                                       << "3.5";
        QTest::newRow("integer unchanged") << "150"
                                           << "150";
        QTest::newRow("every comma") << "1,2,3"
                                     << "1.2.3";
        QTest::newRow("no trimming") << " 1,5 "
                                     << " 1.5 ";
        QTest::newRow("grouping left in") << "1.234,5"
                                          << "1.234.5";
        QTest::newRow("empty") << ""
                               << "";
    }
    void commaRule_replacesEveryCommaAndNothingElse() {
        QFETCH(QString, field);
        QFETCH(QString, statement);
        QCOMPARE(st::toStatementNumber(field), statement);
    }

    void malformedNumber_isAnEngineErrorAndChangesNothing() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        try {
            db.Execute(st::updateSettaggi(QStringLiteral("1,2,3"), QStringLiteral("150"),
                                          QStringLiteral("5")));
            QFAIL("1.2.3 was accepted");
        } catch (const DbError &error) {
            QCOMPARE(error.number(), SQLITE_ERROR);
            QVERIFY(error.description().contains(QStringLiteral("syntax error")));
        }
        QCOMPARE(db.OpenRecordset(st::SelectSettaggi).number(QStringLiteral("SLMM")), 100.0);
    }

    void twoRows_updateSetsBothAndReadsTakeTheFirst() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        db.Execute(u"INSERT INTO Settaggi (CapitalGain, SLP, SLMM) VALUES (12, 8, 300)");
        QCOMPARE(db.OpenRecordset(st::SelectSettaggi).number(QStringLiteral("SLP")), 5.0);
        db.Execute(
            st::updateSettaggi(QStringLiteral("20"), QStringLiteral("70"), QStringLiteral("7,5")));
        QCOMPARE(countRows(db, QStringLiteral("Settaggi WHERE SLP = 7.5 AND SLMM = 70")), 2);
    }

    void execute_refusesASecondStatementAndRunsNothing() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        QVERIFY_THROWS_EXCEPTION(DbError,
                                 db.Execute(u"UPDATE Settaggi SET SLP = 9; DELETE FROM System"));
        QCOMPARE(db.OpenRecordset(st::SelectSettaggi).number(QStringLiteral("SLP")), 5.0);
        QCOMPARE(countRows(db, QStringLiteral("System")), 1);
        QVERIFY_THROWS_EXCEPTION(DbError, db.OpenRecordset(u"SELECT * FROM System; SELECT 1"));
        // A closing semicolon or comment is not a second statement.
        db.Execute(u"UPDATE Settaggi SET SLP = 9; -- done");
        QCOMPARE(db.OpenRecordset(st::SelectSettaggi).number(QStringLiteral("SLP")), 9.0);
    }

    void missingRowOrValue_isAnErrorForTheReader() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        db.Execute(u"UPDATE Settaggi SET SLMM = NULL");
        const Recordset settaggi = db.OpenRecordset(st::SelectSettaggi);
        QVERIFY(settaggi.value(QStringLiteral("SLMM")).isNull());
        QVERIFY_THROWS_EXCEPTION(DbError, settaggi.number(QStringLiteral("SLMM")));
        QVERIFY_THROWS_EXCEPTION(DbError, settaggi.number(QStringLiteral("NoSuchField")));
        db.Execute(u"DELETE FROM System");
        const Recordset empty = db.OpenRecordset(st::SelectSystemForCalc);
        QVERIFY(!empty.hasRow());
        try {
            empty.number(QStringLiteral("Commissioni"));
            QFAIL("an empty table gave a value");
        } catch (const DbError &error) {
            QCOMPARE(error.number(), 3021);
        }
    }

    void open_refusesAFileThatIsNotTheSettingsDatabase_data() {
        QTest::addColumn<QByteArray>("content"); // "missing" or "folder" for no file
        QTest::addColumn<int>("number");
        QTest::newRow("missing file") << QByteArray("missing") << SQLITE_CANTOPEN;
        QTest::newRow("folder in its place") << QByteArray("folder") << SQLITE_CANTOPEN;
        QTest::newRow("empty file") << QByteArray("") << SQLITE_ERROR;
        QTest::newRow("not a database") << QByteArray(2048, 'x') << SQLITE_NOTADB;
    }
    void open_refusesAFileThatIsNotTheSettingsDatabase() {
        QFETCH(QByteArray, content);
        QFETCH(int, number);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("DataMg.mgd"));
        if (content == "folder") {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("DataMg.mgd")));
        } else if (content != "missing") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        try {
            SqliteDatabase db(path, Tables);
            QFAIL("the file was accepted");
        } catch (const DbError &error) {
            QCOMPARE(error.number(), number);
            QVERIFY(!error.description().isEmpty());
        }
        if (content == "missing")
            QVERIFY2(!QFile::exists(path), "opening created the file");
    }

    void open_refusesADatabaseWithoutBothTables() {
        DataFileCopy file;
        SqliteDatabase(file.path(), Tables).Execute(u"DROP TABLE Settaggi");
        try {
            SqliteDatabase db(file.path(), Tables);
            QFAIL("a file without Settaggi was accepted");
        } catch (const DbError &error) {
            QVERIFY(error.description().contains(QStringLiteral("Settaggi")));
        }
    }

    void open_failsOnAFileLockedPastTheWait() {
        DataFileCopy file;
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(file.path().toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        try {
            SqliteDatabase db(file.path(), Tables);
            QFAIL("a locked file was accepted");
        } catch (const DbError &error) {
            QCOMPARE(error.number(), SQLITE_BUSY);
        }
        sqlite3_close(other);
    }

    void shortLockByAnotherProcess_isWaitedOut() {
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        sqlite3 *other = nullptr;
        QCOMPARE(sqlite3_open(file.path().toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        std::thread release([other] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
        });
        db.Execute(st::updateSystem(QStringLiteral("3"), QStringLiteral("2")));
        release.join();
        sqlite3_close(other);
        QCOMPARE(db.OpenRecordset(st::SelectSystem).number(QStringLiteral("CommissioniMin")), 3.0);
    }
};

QTEST_GUILESS_MAIN(TstSettingsStore)
#include "tst_settingsstore.moc"
