// The settings window as a user meets it: where the focus goes, and that every close writes
// the five values in one transaction and recalculates, or keeps the window open and says why.
#include "platform/sqlitedatabase.h"
#include "settings/frmparametriiniziali.h"
#include "store/statements.h"
#include "support/datafile.h"
#include "support/modalwatch.h"
#include "widgets/inputnumerico.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <sqlite3.h>

using namespace margino;
namespace st = margino::statements;

// The real engine on the test's copy, logging every write and transaction step in order.
class LoggedDatabase final : public Database {
public:
    LoggedDatabase(const QString &file, QStringList &log)
        : real(file, {QStringLiteral("System"), QStringLiteral("Settaggi")}), log_(log) {}
    Recordset OpenRecordset(QStringView sql) override { return real.OpenRecordset(sql); }
    void Execute(QStringView sql) override { log_ << sql.toString(), real.Execute(sql); }
    void BeginTrans() override { log_ << "BeginTrans", real.BeginTrans(); }
    void CommitTrans() override { log_ << "CommitTrans", real.CommitTrans(); }
    void Rollback() noexcept override { log_ << "Rollback", real.Rollback(); }
    SqliteDatabase real;

private:
    QStringList &log_;
};

class TstSettingsWindow : public QObject {
    Q_OBJECT

    QStringList log; // writes, transaction steps and "recalculate", as they happened
    std::unique_ptr<ModalWatch> watch;
    std::unique_ptr<DataFileCopy> file;
    std::unique_ptr<LoggedDatabase> db;
    std::unique_ptr<frmParametriIniziali> form;

    void show() {
        form = std::make_unique<frmParametriIniziali>(*db, [this] { log << "recalculate"; });
        form->show();
    }
    bool open() { return show(), QTest::qWaitForWindowActive(form.get()); }
    InputNumerico *field(const QString &name) { return form->findChild<InputNumerico *>(name); }
    void retype(const QString &name, const QString &text) {
        QTest::keyClick(field(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field(name), Qt::Key_Delete);
        QTest::keyClicks(field(name), text);
    }
    void clickEsci() {
        QTest::mouseClick(form->findChild<QPushButton *>("Command2"), Qt::LeftButton);
    }
    double stored(QStringView query, const char *name) {
        return db->real.OpenRecordset(query).number(QString::fromLatin1(name));
    }

private slots:
    void init() {
        // Rows tagged "en" run in an English locale, everything else in Italian.
        const bool english = QByteArray(QTest::currentDataTag()).startsWith("en");
        QLocale::setDefault(QLocale(english ? QStringLiteral("en_US") : QStringLiteral("it_IT")));
        log.clear();
        watch = std::make_unique<ModalWatch>();
        file = std::make_unique<DataFileCopy>();
        db = std::make_unique<LoggedDatabase>(file->path(), log);
    }
    void cleanup() {
        form.reset();
        db.reset();
        file.reset();
        QVERIFY2(watch->seen().isEmpty(), qPrintable(watch->describe()));
        watch.reset();
    }

    void opening_focusesCommMinimeAndTabReachesCommissioniPercLast() {
        QVERIFY(open());
        for (QLabel *label : form->findChildren<QLabel *>())
            QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <=
                         label->contentsRect().width(),
                     qPrintable(label->objectName()));
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 6; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, (QStringList{"in_CommMinime", "in_CapitalGain", "in_SLMM", "in_SLP",
                                       "Command2", "in_CommissioniPerc", "in_CommMinime"}));
    }

    void everyClose_writesTheFiveValuesAndRecalculates_data() {
        QTest::addColumn<QByteArray>("how");
        for (const char *how : {"Esci", "close box", "Escape key", "en Esci"})
            QTest::newRow(how) << QByteArray(how).split(' ').last();
    }
    void everyClose_writesTheFiveValuesAndRecalculates() {
        // State: the shipped values. Action: open, change nothing, close.
        QFETCH(QByteArray, how);
        QVERIFY(open());
        if (how == "box")
            form->close();
        else if (how == "key")
            QTest::keyClick(field("in_SLP"), Qt::Key_Escape);
        else
            clickEsci();
        // Expected: the exact statements in one transaction, then one recalculation.
        QVERIFY(!form->isVisible());
        QCOMPARE(log,
                 (QStringList{"BeginTrans", "UPDATE Settaggi SET CapitalGain =26,SLMM =100,SLP = 5",
                              "UPDATE System SET CommissioniMin =2.95,Commissioni =1.9",
                              "CommitTrans", "recalculate"}));
    }

    void typedDecimal_isStoredWithAPointInEveryRowAndShownAgain_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("it") << "0,19";
        QTest::newRow("en") << "0.19";
    }
    void typedDecimal_isStoredWithAPointInEveryRowAndShownAgain() {
        // State: both tables hold a second row. Action: new rate and capital gain, "Esci".
        QFETCH(QString, typed);
        db->real.Execute(u"INSERT INTO System VALUES (7, 7)");
        db->real.Execute(u"INSERT INTO Settaggi VALUES (7, 7, 7)");
        QVERIFY(open());
        retype("in_CommissioniPerc", typed);
        retype("in_CapitalGain", QStringLiteral("12"));
        clickEsci();
        QVERIFY(log.contains(st::updateSystem("2,95", "0,19")));
        QCOMPARE(stored(u"SELECT COUNT(*) AS n FROM System WHERE Commissioni = 0.19", "n"), 2.0);
        QCOMPARE(stored(u"SELECT COUNT(*) AS n FROM Settaggi WHERE CapitalGain = 12", "n"), 2.0);
        // Expected on reopening: the values as the locale writes them.
        QVERIFY(open());
        QCOMPARE(field("in_CommissioniPerc")->Valore(), typed);
        QCOMPARE(field("in_CapitalGain")->Valore(), QStringLiteral("12"));
    }

    void invalidField_keepsTheWindowOpenNamesItAndWritesNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "in_SLMM"
                               << ""
                               << "«M.M. stop loss» è vuoto";
        QTest::newRow("en lone point") << "in_SLP"
                                       << "."
                                       << "«% stop loss» non contiene un";
    }
    void invalidField_keepsTheWindowOpenNamesItAndWritesNothing() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QVERIFY(open());
        retype(name, typed);
        // Action: "Esci". Expected: one message naming the field, the focus there, no write.
        clickEsci();
        const QList<ModalWatch::Seen> seen = watch->take();
        QVERIFY2(seen.size() == 1 && seen[0].text.contains(message),
                 qPrintable(seen.value(0).text));
        QVERIFY(form->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), field(name));
        QCOMPARE(log, QStringList());
    }

    void refusedSave_reportsTheEngineErrorAndWritesOnlyOnRetry_data() {
        QTest::addColumn<QByteArray>("cause");
        QTest::addColumn<QByteArray>("cure");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("number");
        // The engine's read-only switch stands in for a write-protected file, which root
        // (as tests often run) would still write.
        QTest::newRow("read-only, Annulla")
            << QByteArray("PRAGMA query_only = ON") << QByteArray("PRAGMA query_only = OFF")
            << "Annulla" << SQLITE_READONLY;
        QTest::newRow("locked past the wait, Riprova")
            << QByteArray("BEGIN EXCLUSIVE") << QByteArray("COMMIT") << "Riprova" << SQLITE_BUSY;
        QTest::newRow("System missing, Chiudi senza salvare")
            << QByteArray("ALTER TABLE System RENAME TO Gone")
            << QByteArray("ALTER TABLE Gone RENAME TO System") << "Chiudi senza salvare"
            << SQLITE_ERROR;
    }
    void refusedSave_reportsTheEngineErrorAndWritesOnlyOnRetry() {
        QFETCH(QByteArray, cause);
        QFETCH(QByteArray, cure);
        QFETCH(QString, answer);
        QFETCH(int, number);
        sqlite3 *other = nullptr;
        sqlite3_open(file->path().toUtf8().constData(), &other);
        const auto run = [&](const QByteArray &sql) {
            if (sql.startsWith("PRAGMA"))
                db->real.Execute(QString::fromLatin1(sql));
            else
                sqlite3_exec(other, sql.constData(), nullptr, nullptr, nullptr);
        };
        // State: new values typed, the engine refusing to write.
        QVERIFY(open());
        retype("in_SLP", QStringLiteral("7"));
        retype("in_CommissioniPerc", QStringLiteral("3"));
        run(cause);
        // Action: "Esci"; the cause is removed while the report shows, then the answer.
        watch->answerNext(answer, [&] { run(cure); });
        clickEsci();
        const QList<ModalWatch::Seen> seen = watch->take();
        QVERIFY2(seen.size() == 1 &&
                     seen[0].text.contains(QStringLiteral("Errore %1:").arg(number)),
                 qPrintable(watch->describe()));
        sqlite3_close(other);
        // Expected: both tables written and recalculated on a retry only; "Annulla" keeps the
        // window and what was typed.
        const bool retried = answer == "Riprova";
        QCOMPARE(form->isVisible(), answer == "Annulla");
        QCOMPARE(field("in_SLP")->Valore(), QStringLiteral("7"));
        QCOMPARE(stored(st::SelectSettaggi, "SLP"), retried ? 7.0 : 5.0);
        QCOMPARE(stored(st::SelectSystem, "Commissioni"), retried ? 3.0 : 1.9);
        QCOMPARE(log.contains("recalculate"), retried);
    }

    void unreadableSettings_areReportedAndTheWindowClosesWithoutWriting() {
        // State: System holds no row. Action: open. Expected: the report, then no window.
        db->real.Execute(u"DELETE FROM System");
        show();
        QTRY_VERIFY(!form->isVisible());
        QVERIFY(watch->take().value(0).text.contains(QStringLiteral("3021")));
        QCOMPARE(log, QStringList());
    }
};

QTEST_MAIN(TstSettingsWindow)
#include "tst_settingswindow.moc"
