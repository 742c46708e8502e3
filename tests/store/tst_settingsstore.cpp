// SPDX-License-Identifier: GPL-3.0-or-later
// The settings store on the real file: the exact statements, the one-row reads and the
// refusals that must neither crash nor half-run.
#include "platform/sqlitedatabase.h"
#include "store/parameters.h"
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

std::optional<DbError> failureOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const DbError &error) {
        return error;
    }
    return std::nullopt;
}

int errorOf(const std::function<void()> &action) {
    const std::optional<DbError> error = failureOf(action);
    return error ? error->number() : SQLITE_OK;
}

// The engine, stopping after its n-th statement of a save (after the commit when n is past
// them) as a program killed there: nothing is rolled back until the file is closed.
struct Killed {};
class KilledDatabase final : public Database {
public:
    KilledDatabase(const QString &file, int n) : real_(file, {}), n_(n) {}
    Recordset OpenRecordset(QStringView sql) override { return real_.OpenRecordset(sql); }
    void Execute(QStringView sql) override { real_.Execute(sql), step(); }
    void BeginTrans() override { real_.BeginTrans(); }
    void CommitTrans() override { real_.CommitTrans(), step(true); }
    void Rollback() noexcept override {}
    void BeginRead() override { real_.BeginRead(); }
    void EndRead() noexcept override { real_.EndRead(); }

private:
    void step(bool last = false) {
        if (++done_ >= n_ || last)
            throw Killed{};
    }
    SqliteDatabase real_;
    int n_, done_ = 0;
};

// New values for every setting, as a save writes them.
ParameterTexts newTexts() {
    ParameterTexts texts;
    for (const SettingRow &row : SettingRows)
        texts[row.setting] = QString::number(int(row.setting) + 1);
    return texts;
}

} // namespace

class TstSettingsStore : public QObject {
    Q_OBJECT

private slots:
    void statements_runCharacterForCharacterOnTheShippedFile() {
        // State: the shipped file, Settaggi given a second row. Action: the statements.
        // Expected: their exact texts; an update sets every row, a read takes the first.
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        db.Execute(u"INSERT INTO Settaggi (CapitalGain, SLP, SLMM) VALUES (12, 8, 300)");
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
        QCOMPARE(read(db, u"SELECT COUNT(*) AS n FROM Settaggi WHERE SLP = 3.5", "n"), 2.0);
        QCOMPARE(read(db, st::SelectSettaggi, "SLMM"), 150.0);
        QCOMPARE(read(db, st::SelectSystem, "Commissioni"), 0.19);
        // The comma rule changes every comma and nothing else; the engine judges the rest.
        QCOMPARE(st::toStatementNumber(" 1,2,3", it), " 1.2.3");
        QCOMPARE(errorOf([&] { db.Execute(st::updateSettaggi("1,2,3", "7", "7", it)); }),
                 SQLITE_ERROR);
        QCOMPARE(read(db, st::SelectSettaggi, "SLMM"), 150.0);
        // A second statement is refused and nothing of it runs; a closing semicolon is none.
        QCOMPARE_NE(
            errorOf([&] { db.Execute(u"UPDATE Settaggi SET SLP = 9; DELETE FROM System"); }),
            SQLITE_OK);
        QCOMPARE(read(db, st::SelectSettaggi, "SLP"), 3.5);
        QCOMPARE(read(db, st::SelectSystem, "Commissioni"), 0.19);
        db.Execute(u"UPDATE Settaggi SET SLP = 9; -- a closing semicolon is no second statement");
        QCOMPARE(read(db, st::SelectSettaggi, "SLP"), 9.0);
    }

    void open_refusesAFileThatIsNotTheSettingsDatabase_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("number");
        QTest::newRow("missing file, not created") << QByteArray("missing") << SQLITE_CANTOPEN;
        QTest::newRow("folder in its place") << QByteArray("folder") << SQLITE_CANTOPEN;
        QTest::newRow("without Settaggi") << QByteArray("drop") << SQLITE_ERROR;
        QTest::newRow("locked past the wait") << QByteArray("lock") << SQLITE_BUSY;
    }
    void open_refusesAFileThatIsNotTheSettingsDatabase() {
        QFETCH(QByteArray, content);
        QFETCH(int, number);
        DataFileCopy file;
        sqlite3 *other = nullptr;
        if (content == "missing" || content == "folder") {
            QFile::remove(file.path());
            QVERIFY(content == "missing" || QDir().mkdir(file.path()));
        } else {
            sqlite3_open(file.path().toUtf8().constData(), &other);
            sqlite3_exec(other, content == "drop" ? "DROP TABLE Settaggi" : "BEGIN EXCLUSIVE",
                         nullptr, nullptr, nullptr);
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
        const std::optional<DbError> missing =
            failureOf([&] { db.OpenRecordset(st::SelectSystem); });
        QCOMPARE(missing.value().number(), SQLITE_ERROR);
        QCOMPARE(missing->summary(), "Il file delle impostazioni non ha la tabella System.");
        QCOMPARE(missing->description(), "no such table: System");
        db.Execute(u"PRAGMA max_page_count = 1"); // as many pages as it has
        const std::optional<DbError> full =
            failureOf([&] { db.Execute(u"CREATE TABLE Grown (x)"); });
        QCOMPARE(full.value().number(), SQLITE_FULL);
        QCOMPARE(full->summary(), "Il disco è pieno.");
    }

    void template_holdsEveryRowInTheColumnsFilesAlwaysHad() {
        // State: the shipped template. Expected: the two tables with their columns in their
        // order of every earlier file, the tariff's table as the first save creates it, and
        // each setting at its shipped value.
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        const auto columns = [&db](const char *table) {
            return db
                .OpenRecordset(QStringLiteral("SELECT group_concat(name) AS names FROM "
                                              "(SELECT name FROM pragma_table_info('%1') "
                                              "ORDER BY cid)")
                                   .arg(QLatin1String(table)))
                .value("names")
                .toString();
        };
        QCOMPARE(columns("System"), "Commissioni,CommissioniMin");
        QCOMPARE(columns("Settaggi"), "CapitalGain,SLP,SLMM");
        QCOMPARE(db.OpenRecordset(u"SELECT sql FROM sqlite_master WHERE name = 'Tariffa'")
                     .value("sql")
                     .toString(),
                 st::createTable(TariffTable));
        const ParameterTexts texts = readParameters(db, QLocale::c());
        for (const SettingRow &row : SettingRows)
            QCOMPARE(texts[row.setting], QString::number(row.shipped));
    }

    void fileWithoutTariffTable_readsTheShippedTariff() {
        // State: a file written before the tariff's table. Action: read the settings.
        // Expected: the tariff's shipped values, and no table created by reading.
        DataFileCopy file;
        SqliteDatabase db(file.path(), Tables);
        db.Execute(u"DROP TABLE Tariffa");
        const TariffValues tariff = readTariff(db);
        QCOMPARE(tariff.maximum + tariff.maximumPercent + tariff.fixed + tariff.perShare, 0.0);
        QCOMPARE(tariff.transactionTax, 0.2);
        QCOMPARE(readParameters(db, QLocale(QLocale::Italian))[Setting::TransactionTax], "0,2");
        QCOMPARE(read(db, st::SelectTariffExists, "n"), 0.0);
    }

    void killedFirstSave_leavesTheFileOldOrNew_data() {
        QTest::addColumn<int>("stopAfter"); // statements run before the kill
        QTest::addColumn<bool>("saved");
        QTest::newRow("after the Settaggi update") << 1 << false;
        QTest::newRow("after the System update") << 2 << false;
        QTest::newRow("after creating the table") << 3 << false;
        QTest::newRow("after its row") << 4 << false;
        QTest::newRow("after the commit") << 9 << true;
    }
    void killedFirstSave_leavesTheFileOldOrNew() {
        // State: a file without the tariff's table. Action: a save of new values, killed at
        // the row's step. Expected: the file opens whole, either as it was (no table, old
        // values) or with every new value and the table.
        QFETCH(int, stopAfter);
        QFETCH(bool, saved);
        DataFileCopy file;
        SqliteDatabase(file.path(), Tables).Execute(u"DROP TABLE Tariffa");
        {
            KilledDatabase killed(file.path(), stopAfter);
            const QLocale c = QLocale::c();
            QVERIFY_THROWS_EXCEPTION(
                Killed, writeParameters(killed, newTexts(), readParameters(killed, c), c));
        }
        SqliteDatabase db(file.path(), Tables);
        QCOMPARE(db.OpenRecordset(u"PRAGMA integrity_check").value("integrity_check"), "ok");
        QCOMPARE(read(db, st::SelectTariffExists, "n"), saved ? 1.0 : 0.0);
        const ParameterTexts found = readParameters(db, QLocale::c());
        ParameterTexts old;
        for (const SettingRow &row : SettingRows)
            old[row.setting] = QString::number(row.shipped);
        QCOMPARE(found, saved ? newTexts() : old);
    }

    void settingText_isRefusedWhenNoTradeCanUseIt_data() {
        QTest::addColumn<int>("setting");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        const int rate = int(Setting::Commissioni), tax = int(Setting::TransactionTax);
        QTest::newRow("a number") << rate << "1,9" << false;
        QTest::newRow("being typed") << rate << "" << false;
        QTest::newRow("exponent form") << rate << "1E-05" << false;
        QTest::newRow("exponent on its way") << rate << "E-05" << false;
        QTest::newRow("sign left of an exponent's digits") << rate << "-05" << true;
        QTest::newRow("sign in the middle") << rate << "1-05" << true;
        QTest::newRow("plus sign") << rate << "+5" << true;
        QTest::newRow("negative zero") << rate << "-0" << true;
        QTest::newRow("the rate's limit") << rate << "1000" << false;
        QTest::newRow("beyond the rate's limit") << rate << "1000,01" << true;
        QTest::newRow("beyond any use") << int(Setting::CommissioniMin) << "1E+308" << true;
        QTest::newRow("capital gain of 100 %") << int(Setting::CapitalGain) << "100" << false;
        QTest::newRow("capital gain above 100 %") << int(Setting::CapitalGain) << "100,5" << true;
        QTest::newRow("tax above 100 %") << tax << "101" << true;
    }
    void settingText_isRefusedWhenNoTradeCanUseIt() {
        // State: a settings field's whole text after an edit. Expected: the row's rule refuses
        // a sign, a negative value and a value beyond the row's limit, with a hint.
        QFETCH(int, setting);
        QFETCH(QString, text);
        QTEST(!settingTextProblem(Setting(setting), text, QLocale(QLocale::Italian)).isEmpty(),
              "refused");
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
