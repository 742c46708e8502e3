// SPDX-License-Identifier: GPL-3.0-or-later
// The journal without a window: exact cents, the model's rows, order, filter and year totals,
// the schema's migration, and what survives concurrent saves, kills and a damaged file.
#include "journal/decimaltext.h"
#include "journal/journallocation.h"
#include "journal/journalmodel.h"
#include "journal/schema.h"
#include "support/datafile.h"
#include "support/journalfixture.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <sqlite3.h>
#include <unistd.h>

using namespace margino;

namespace {

// 2025: a gain, a loss, an exact tie (zero), an open trade; 2026: one gain.
void fillYears(JournalFile &journal) {
    journal.save(sampleTrade("2025-03-01T10:00:00", "100", "10", "11", "94.1", "69.63"));
    journal.save(sampleTrade("2025-05-01T10:00:00", "50", "20", "18", "-105.9"));
    journal.save(sampleTrade("2025-05-01T10:00:00", "10", "5", "5.59", "0"));
    journal.save(sampleTrade("2025-07-01T10:00:00", "7", "3.5", ""));
    journal.save(sampleTrade("2026-01-02T09:30:00", "1000", "1.2345", "1.3", "64.6", "47.8"));
}

QStringList column(const JournalModel &model, int column) {
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts << model.data(model.index(row, column), Qt::DisplayRole).toString();
    return texts;
}

// Runs SQL on the file through a connection of its own, as another program would.
int exec(const QString &path, const char *sql) {
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    const int result = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return result;
}

// The first column of a pragma's first row, read through a connection of its own.
QByteArray pragma(const QString &path, const char *sql) {
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    sqlite3_step(stmt);
    const QByteArray value(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
}

int userVersion(const QString &path) {
    return pragma(path, "PRAGMA user_version").toInt();
}

JournalError::Kind failureOf(const std::function<void()> &action) {
    try {
        action();
    } catch (const JournalError &error) {
        return error.kind();
    }
    return JournalError::Kind(-1);
}

// A new journal holding fillYears' trades, and a model over it.
struct Filled {
    JournalFixture f;
    JournalFile journal{f.path(), JournalFile::Open::Create};
    JournalModel model;
    Filled() {
        fillYears(journal);
        model.setJournal(&journal);
    }
};

} // namespace

class TstJournal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

    void toCents_roundsTheExactDecimalHalfAwayFromZero_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<qint64>>("cents"); // none: not a decimal
        using Cents = std::optional<qint64>;
        QTest::newRow("whole") << "12" << Cents(1200);
        QTest::newRow("two decimals") << "-105.9" << Cents(-10590);
        QTest::newRow("half up") << "0.125" << Cents(13);
        QTest::newRow("half away from zero") << "-0.125" << Cents(-13);
        QTest::newRow("below half") << "2.9449999" << Cents(294);
        // 0.1 + 0.2 in binary is 0.30000000000000004: the text decides, not a double.
        QTest::newRow("long decimal") << "0.30000000000000004" << Cents(30);
        QTest::newRow("exponent") << "1.9E+11" << Cents(19000000000000);
        QTest::newRow("small exponent") << "5E-03" << Cents(1);
        QTest::newRow("leading point") << ".5" << Cents(50);
        for (const char *text : {"", "-", "1,5", "abc", "1.2.3", "1E", "99999999999999999999"})
            QTest::addRow("not a decimal: \"%s\"", text) << QString(text) << Cents();
    }
    void toCents_roundsTheExactDecimalHalfAwayFromZero() {
        QFETCH(QString, text);
        QTEST(toCents(text), "cents");
    }

    void centsToText_writesTwoDecimals() {
        QCOMPARE(centsToText(-10590), "-105.90");
        QCOMPARE(centsToText(5), "0.05");
    }

    void model_showsNewestFirstInTheLocale() {
        // State: five trades over two years. Action: a model over all years.
        // Expected: newest first, numbers with the decimal comma, the open trade blank.
        Filled filled;
        const JournalModel &model = filled.model;
        QCOMPARE(model.rowCount(), 5);
        QCOMPARE(column(model, JournalView::Date).constFirst(), "02/01/2026 09:30");
        QCOMPARE(column(model, JournalView::PurchasePrice),
                 QStringList({"1,2345", "3,5", "5", "20", "10"}));
        QCOMPARE(column(model, JournalView::SalePrice).at(1), QString());
        QCOMPARE(model.headerData(JournalView::GainAfterTax, Qt::Horizontal, Qt::DisplayRole),
                 "Guadagno netto");
    }

    void model_sortsByValueWithTiesInSavingOrder_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QStringList>("quantities");
        // By value, not as text: "1000" after "100", and the open trade's blank gain first.
        QTest::newRow("quantity up")
            << int(JournalView::Quantity) << false << QStringList{"7", "10", "50", "100", "1000"};
        QTest::newRow("gain up") << int(JournalView::Gain) << false
                                 << QStringList{"7", "50", "10", "1000", "100"};
        QTest::newRow("gain down")
            << int(JournalView::Gain) << true << QStringList{"100", "1000", "10", "50", "7"};
        // Two trades saved in the same second keep the saving order (the id) as the tie-break.
        QTest::newRow("date up") << int(JournalView::Date) << false
                                 << QStringList{"100", "50", "10", "7", "1000"};
    }
    void model_sortsByValueWithTiesInSavingOrder() {
        QFETCH(int, column);
        QFETCH(bool, descending);
        QFETCH(QStringList, quantities);
        Filled filled;
        filled.model.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        QCOMPARE(::column(filled.model, JournalView::Quantity), quantities);
    }

    void totals_sumTheYearsClosedTradesInCents_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<YearTotals>("totals");
        // 2025: gains 94,10; losses -105,90; the tie counts in neither; costs 3 x 5,90;
        // tax 94,10 - 69,63 = 24,47; one open trade, counted but not summed.
        QTest::newRow("2025") << 2025 << YearTotals{9410, -10590, -1180, 1770, 2447, 3, 1};
        QTest::newRow("2026") << 2026 << YearTotals{6460, 0, 6460, 590, 1680, 1, 0};
        QTest::newRow("all") << 0 << YearTotals{15870, -10590, 5280, 2360, 4127, 4, 1};
        QTest::newRow("empty year") << 2024 << YearTotals{};
    }
    void totals_sumTheYearsClosedTradesInCents() {
        QFETCH(int, year);
        QFETCH(YearTotals, totals);
        Filled filled;
        QCOMPARE(filled.journal.totals(year), totals);
        filled.model.setYear(year);
        QCOMPARE(filled.model.rowCount(), totals.closed + totals.open);
        QCOMPARE(filled.journal.years(), QList<int>({2026, 2025}));
    }

    void removeAndRestore_giveBackTheSameTrades() {
        // State: five trades. Action: delete two, then restore them; edit a note.
        // Expected: they come back whole under their ids; the note is kept in place.
        Filled filled;
        JournalFile &journal = filled.journal;
        const QList<qint64> ids = journal.ids({});
        const Trade before = *journal.trade(ids.at(1));
        const QList<Trade> removed = journal.remove({ids.at(1), ids.at(3)});
        QCOMPARE(removed.size(), 2);
        QCOMPARE(journal.ids({}).size(), 3);
        journal.restore(removed);
        QCOMPARE(journal.ids({}), ids);
        QCOMPARE(*journal.trade(ids.at(1)), before);
        JournalModel &model = filled.model;
        QVERIFY(model.setData(model.index(0, JournalView::Note), "Enel; \"prova\"", Qt::EditRole));
        QCOMPARE(journal.trade(ids.at(0))->note, "Enel; \"prova\"");
        QVERIFY(!model.setData(model.index(0, JournalView::Gain), "1", Qt::EditRole));
    }

    void location_followsTheSettingsFile() {
        // Beside the program when the settings file is there, else the data folder.
        QTemporaryDir program, data;
        QCOMPARE(journalFilePath(program.path(), data.path()),
                 data.filePath(QStringLiteral("Registro.sqlite")));
        QVERIFY(writeFile(program.filePath(QStringLiteral("DataMg.mgd")), {}));
        QCOMPARE(journalFilePath(program.path(), data.path()),
                 program.filePath(QStringLiteral("Registro.sqlite")));
    }

    void migration_bringsAVersionOneFileUpKeepingItsTrades() {
        // State: a file as the first version wrote it, with one trade. Action: open it.
        // Expected: version 2, the trade whole, the new costs zero, no tax applied.
        JournalFixture f;
        QCOMPARE(exec(f.path(), schema::Steps[0]), SQLITE_OK);
        QCOMPARE(exec(f.path(), "INSERT INTO Operazioni VALUES (7, '2024-11-05T15:00:00', 2024,"
                                " '100', '10', '10.5', '1000', '1050', '10.059', '9.5', '9',"
                                " '5.9', '44.1', '4', '32.63', '1.9', '2.95', '26', 'vecchia',"
                                " 4410, 3263, 590)"),
                 SQLITE_OK);
        QCOMPARE(userVersion(f.path()), 1);
        JournalFile journal(f.path(), JournalFile::Open::Existing);
        QCOMPARE(userVersion(f.path()), JournalFile::SchemaVersion);
        const Trade t = *journal.trade(7);
        QCOMPARE(t.gain, "44.1");
        QCOMPARE(t.note, "vecchia");
        QCOMPARE(t.costs.rate, "1.9");
        QCOMPARE(t.costs.maximum, "0");
        QCOMPARE(t.transactionTax, "0");
        QVERIFY(!t.costs.taxApplied);
        QCOMPARE(journal.totals(2024), (YearTotals{4410, 0, 4410, 590, 1147, 1, 0}));
    }

    void newerOrForeignFile_isRefusedUntouched() {
        // State: a file of another program, then one of a newer version. Action: open each.
        // Expected: refused as damaged, then as newer; the file left as it was.
        JournalFixture f;
        exec(f.path(), "CREATE TABLE altro (x); PRAGMA user_version = 0");
        QCOMPARE(failureOf([&] { JournalFile(f.path(), JournalFile::Open::Create); }),
                 JournalError::Damaged);
        exec(f.path(), "PRAGMA user_version = 99");
        QCOMPARE(failureOf([&] { JournalFile(f.path(), JournalFile::Open::Create); }),
                 JournalError::Newer);
        QCOMPARE(userVersion(f.path()), 99);
    }

    void copiesSavingAtOnceAndKilled_leaveEveryReportedTradeWhole() {
        // State: two child processes, as two copies of the program, saving trades with long
        // notes in a loop. Action: kill -9 both mid-way, six times at different moments, so
        // that some kills land inside a commit. Expected: neither failed while the other
        // saved; every save they reported is there and whole; the file is sound.
        JournalFixture f;
        JournalFile(f.path(), JournalFile::Open::Create);
        qsizetype reported = 0;
        for (const int delay : {30, 70, 110, 150, 190, 230}) {
            QProcess children[2];
            for (QProcess &child : children) {
                child.start(QCoreApplication::applicationFilePath(),
                            {QStringLiteral("--save-forever"), f.path()});
                QVERIFY(child.waitForReadyRead(10000)); // it has saved its first trade
            }
            QTest::qWait(delay);
            for (QProcess &child : children) {
                QCOMPARE(child.state(), QProcess::Running);
                child.kill();
                QVERIFY(child.waitForFinished());
                reported += child.readAll().count('\n');
            }
        }
        JournalFile journal(f.path(), JournalFile::Open::Existing);
        const QList<qint64> ids = journal.ids({});
        QVERIFY(ids.size() >= reported && reported >= 12);
        for (const qint64 id : ids) {
            const Trade t = *journal.trade(id);
            QCOMPARE(t.note.size(), 4000);
            QCOMPARE(t.gain, "94.1");
        }
        QCOMPARE(pragma(f.path(), "PRAGMA integrity_check"), "ok");
    }

    void damagedFile_isReportedAndNeverWritten() {
        // State: a journal whose header is overwritten. Action: open it for a save.
        // Expected: Damaged, the bytes unchanged; set aside, a new journal starts.
        JournalFixture f;
        {
            JournalFile journal(f.path(), JournalFile::Open::Create);
            fillYears(journal);
        }
        QFile file(f.path());
        QVERIFY(file.open(QIODevice::ReadWrite) && file.write(QByteArray(100, 'x')) == 100);
        file.close();
        const QByteArray damaged = readFile(f.path());
        QCOMPARE(failureOf([&] { JournalFile(f.path(), JournalFile::Open::Create); }),
                 JournalError::Damaged);
        QCOMPARE(readFile(f.path()), damaged);
        const QString aside = JournalFile::setAside(f.path());
        QVERIFY(aside.contains(QStringLiteral("Registro-danneggiato-")));
        QVERIFY(QFile::exists(aside));
        QVERIFY(!QFile::exists(f.path()));
        JournalFile fresh(f.path(), JournalFile::Open::Create);
        QCOMPARE(fresh.ids({}).size(), 0);
    }

    void fullDisk_savesNothingAndSaysSo() {
        Filled filled;
        JournalFile &journal = filled.journal;
        // The engine's page limit stands for a full disk: no page more can be written.
        sqlite3_exec(journal.handle(), "PRAGMA max_page_count = 1", nullptr, nullptr, nullptr);
        Trade big = sampleTrade("2026-03-03T10:00:00", "1", "1", "2", "1");
        big.note = QString(20000, u'n');
        QCOMPARE(failureOf([&] { journal.save(big); }), JournalError::Full);
        QCOMPARE(journal.ids({}).size(), 5);
    }

    void readOnlyPlaces_giveAnItalianReason() {
        // A folder and a file the program may not write: as root only the immutable flag
        // stops a write, so that is what the test sets there.
        JournalFixture f;
        {
            JournalFile journal(f.path(), JournalFile::Open::Create);
            fillYears(journal);
        }
        const QString folder = f.dir.filePath(QStringLiteral("chiusa"));
        QDir().mkpath(folder);
        const auto lock = [](const QString &path, bool on) {
            if (geteuid() != 0)
                return QFile::setPermissions(path, on ? QFile::ReadOwner | QFile::ExeOwner
                                                      : QFile::ReadOwner | QFile::WriteOwner |
                                                            QFile::ExeOwner);
            return QProcess::execute(QStringLiteral("chattr"),
                                     {on ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
        };
        if (!lock(folder, true))
            QSKIP("this file system cannot make a folder read-only");
        const JournalError::Kind inFolder = failureOf([&] {
            JournalFile(folder + QStringLiteral("/Registro.sqlite"), JournalFile::Open::Create);
        });
        lock(folder, false);
        QCOMPARE(inFolder, JournalError::ReadOnly);
        QVERIFY(lock(f.path(), true));
        const JournalError::Kind onFile = failureOf([&] {
            JournalFile(f.path(), JournalFile::Open::Create)
                .save(sampleTrade("2026-03-03T10:00:00", "1", "1", "2", "1"));
        });
        lock(f.path(), false);
        QCOMPARE(onFile, JournalError::ReadOnly);
        QCOMPARE(JournalFile(f.path(), JournalFile::Open::Existing).ids({}).size(), 5);
    }
};

// The child of copiesSavingAtOnceAndKilled: saves until it is killed, saying so after each save.
int main(int argc, char **argv) {
    if (argc == 3 && QByteArray(argv[1]) == "--save-forever") {
        QCoreApplication app(argc, argv);
        margino::JournalFile journal(QString::fromLocal8Bit(argv[2]),
                                     margino::JournalFile::Open::Existing);
        Trade t = sampleTrade("2025-03-01T10:00:00", "100", "10", "11", "94.1");
        t.note = QString(4000, u'k');
        for (QElapsedTimer took;;) {
            took.start();
            journal.save(t);
            std::fputs("saved\n", stdout);
            std::fflush(stdout);
            // As long again without the lock, so that the other copy gets its turns.
            QThread::usleep(took.nsecsElapsed() / 1000);
        }
    }
    QCoreApplication app(argc, argv);
    TstJournal test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_journal.moc"
