// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window on a copy of the settings file: every close writes the five values in one
// transaction and recalculates, or keeps the window open and says why.
#include "support/modalwatch.h"
#include "support/spydatabase.h"
#include "support/widgets.h"
#include "ui/frmparametriiniziali.h"
#include "ui/inputnumerico.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace margino;

namespace {

// The log with every settings statement cut to its head: their texts are the store's to
// assert; here what counts is which statements run, in what order, in what transaction.
QStringList heads(QStringList log) {
    for (QString &entry : log)
        for (const QString head : {"UPDATE Settaggi SET", "UPDATE System SET", "UPDATE Tariffa SET",
                                   "CREATE TABLE Tariffa", "INSERT INTO Tariffa"})
            if (entry.startsWith(head))
                entry = head;
    return log;
}

} // namespace

class TstSettingsWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatch> watch;
    std::unique_ptr<SpyDatabase> db;
    std::unique_ptr<frmParametriIniziali> form;

    bool open(bool wait = true) {
        form = std::make_unique<frmParametriIniziali>(*db, [this] { db->log << "recalculate"; });
        form->show();
        return !wait || QTest::qWaitForWindowActive(form.get());
    }
    InputNumerico *field(const QString &name) { return form->findChild<InputNumerico *>(name); }
    void retype(const QString &name, const QString &text) { ::retype(field(name), text); }
    void esci() { QTest::mouseClick(form->findChild<QPushButton *>("Command2"), Qt::LeftButton); }
    double stored(const QString &sql) { return db->real.OpenRecordset(sql).number("v"); }

private slots:
    void init() {
        // Rows tagged "en" run in an English locale, "fa" in Persian ("٫"), the rest in Italian.
        const QByteArray tag = QTest::currentDataTag();
        QLocale::setDefault(QLocale(tag.startsWith("en")   ? "en_US"
                                    : tag.startsWith("fa") ? "fa_IR"
                                                           : "it_IT"));
        form.reset();
        db = std::make_unique<SpyDatabase>();
        watch = std::make_unique<ModalWatch>();
    }
    void cleanup() { QVERIFY2(watch->seen().isEmpty(), qPrintable(watch->describe())); }

    void closeWithAChange_writesEveryRowInOneTransactionAndRecalculates_data() {
        QTest::addColumn<QString>("typed"); // the new rate, as keys
        QTest::addColumn<bool>("closeBox"); // else "Esci"
        QTest::addColumn<bool>("oldFile");  // a file from before the tariff's table
        QTest::newRow("comma") << "0,19" << false << false;
        QTest::newRow("en point, close box") << "0.19" << true << false;
        QTest::newRow("fa separator") << "0,19" << false << false;
        QTest::newRow("old file") << "0,19" << false << true;
    }
    void closeWithAChange_writesEveryRowInOneTransactionAndRecalculates() {
        // State: System holds a second row; an old file has no tariff's table. Action: open,
        // close unchanged; open, type the rate, close. Expected: the shipped tariff shown; the
        // unchanged close writes nothing; the save's statements in one transaction (an old
        // file's table and row created there), both rows written; a recalculation each time;
        // on reopening the rate in the locale's writing.
        QFETCH(QString, typed);
        QFETCH(bool, closeBox);
        QFETCH(bool, oldFile);
        const QString point = QLocale().decimalPoint();
        db->real.Execute(u"INSERT INTO System VALUES (7, 7)");
        if (oldFile)
            db->real.Execute(u"DROP TABLE Tariffa");
        QVERIFY(open());
        QCOMPARE(field("in_CommissioniMax")->Valore(), "0");
        QCOMPARE(field("in_ImpostaTransazioni")->Valore(), "0" + point + "2");
        esci();
        QVERIFY(open());
        retype("in_CommissioniPerc", typed);
        closeBox ? void(form->close()) : esci();
        const QStringList tariff = oldFile
                                       ? QStringList{"CREATE TABLE Tariffa", "INSERT INTO Tariffa"}
                                       : QStringList{"UPDATE Tariffa SET"};
        QCOMPARE(heads(db->log), QStringList({"recalculate", "BeginTrans", "UPDATE Settaggi SET",
                                              "UPDATE System SET"}) +
                                     tariff + QStringList({"CommitTrans", "recalculate"}));
        QCOMPARE(stored("SELECT COUNT(*) AS v FROM System WHERE Commissioni = 0.19"), 2.0);
        QCOMPARE(stored("SELECT ImpostaTransazioni AS v FROM Tariffa"), 0.2);
        QVERIFY(open());
        QCOMPARE(field("in_CommissioniPerc")->Valore(), "0" + point + "19");
    }

    void saveByAnotherProgram_isNeverLostUnasked_data() {
        QTest::addColumn<QString>("name");   // the field typed in: M.M. stop loss or maximum
        QTest::addColumn<QString>("typed");  // empty: nothing changed
        QTest::addColumn<QString>("answer"); // to the question; empty: no question expected
        QTest::addColumn<double>("stored");  // in the file afterwards
        for (const auto &[row, name, typed, answer, stored] :
             {std::tuple{"unchanged", "in_SLMM", "", "", 150.0},
              {"changed, Sovrascrivi", "in_SLMM", "70", "Sovrascrivi", 70.0},
              {"changed, Tieni gli altri", "in_SLMM", "70", "Tieni gli altri", 150.0},
              {"changed, Annulla", "in_SLMM", "70", "Annulla", 150.0},
              {"tariff changed, Tieni gli altri", "in_CommissioniMax", "70", "Tieni gli altri",
               150.0}})
            QTest::newRow(row) << QString(name) << QString(typed) << QString(answer) << stored;
    }
    void saveByAnotherProgram_isNeverLostUnasked() {
        // State: the window is open; another copy, on its own connection to the file, saves
        // 150 there. Action: type or not, "Esci", answer; while the question shows, the other
        // copy saves again. Expected: nothing written unless typed and confirmed; the question
        // names the value, in the file and here; the write lock free meanwhile; a
        // recalculation on every close; the window open after "Annulla".
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        const auto [table, column, label] =
            name == "in_SLMM" ? std::tuple{"Settaggi", "SLMM", "M.M. stop loss"}
                              : std::tuple{"Tariffa", "CommissioniMax", "Massimo per ordine"};
        const QString otherSave = QStringLiteral("UPDATE %1 SET %2 = 150").arg(table, column);
        QVERIFY(open());
        SqliteDatabase other(db->file.path(), {});
        other.Execute(otherSave);
        if (!typed.isEmpty())
            retype(name, typed);
        bool lockFree = false;
        watch->answerNext(answer, [&] {
            other.Execute(otherSave);
            lockFree = true;
        });
        esci();
        const QList<ModalWatch::Seen> seen = watch->take();
        QCOMPARE(seen.size(), answer.isEmpty() ? 0 : 1);
        QCOMPARE(lockFree, !answer.isEmpty());
        if (!answer.isEmpty())
            QVERIFY(
                seen[0].text.endsWith(QStringLiteral(":\n\n%1: 150 nel file, 70 qui").arg(label)));
        QTEST(stored(QStringLiteral("SELECT %2 AS v FROM %1").arg(table, column)), "stored");
        QCOMPARE(db->log.filter("UPDATE").size(), answer == "Sovrascrivi" ? 3 : 0);
        QCOMPARE(form->isVisible(), answer == "Annulla");
        QCOMPARE(db->log.contains("recalculate"), answer != "Annulla");
    }

    void failedSave_saysWhyAndWritesOnlyOnRetry_data() {
        QTest::addColumn<QString>("rate"); // put in its field from code, which shows any value
        QTest::addColumn<QString>("slmm");
        QTest::addColumn<QStringList>("cause"); // what makes the engine refuse, and its cure
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("error");    // the engine's number; 0: a field is named instead
        QTest::addColumn<QString>("says"); // how the message begins
        QTest::newRow("empty field")
            << "3"
            << "" << QStringList() << "" << 0 << "Il campo «M.M. stop loss» è vuoto";
        QTest::newRow("en lone point") << "3"
                                       << "." << QStringList() << "" << 0
                                       << "Il campo «M.M. stop loss» non contiene un numero";
        QTest::newRow("rate beyond what start-up takes")
            << "1500"
            << "70" << QStringList() << "" << 0 << "Il campo «Commissioni» non è utilizzabile";
        // The engine's read-only switch stands in for a write-protected file, which root
        // (as tests often run) would still write.
        const QStringList readOnly{"PRAGMA query_only = ON", "PRAGMA query_only = OFF"};
        const QString readOnlySays = "Il file delle impostazioni è di sola lettura.\n\nLe "
                                     "impostazioni non sono state salvate";
        QTest::newRow("read-only, Annulla") << "3"
                                            << "70" << readOnly << "Annulla" << 8 << readOnlySays;
        QTest::newRow("read-only, Riprova") << "3"
                                            << "70" << readOnly << "Riprova" << 8 << readOnlySays;
        const QStringList refused{"CREATE TRIGGER no BEFORE UPDATE ON System "
                                  "BEGIN SELECT RAISE(ABORT, 'no'); END",
                                  "DROP TRIGGER no"};
        QTest::newRow("second statement fails, Chiudi senza salvare")
            << "3"
            << "70" << refused << "Chiudi senza salvare" << 19
            << "Le impostazioni non sono state salvate";
    }
    void failedSave_saysWhyAndWritesOnlyOnRetry() {
        // State: new values, a field wrong or the engine refusing. Action: "Esci"; the cause
        // goes while the engine's report shows, then the answer. Expected: one message saying
        // why; both tables written and recalculated on a retry only; the window open with what
        // was typed on "Annulla" or a wrong field, which then has the focus.
        QFETCH(QString, rate);
        QFETCH(QString, slmm);
        QFETCH(QStringList, cause);
        QFETCH(QString, answer);
        QFETCH(int, error);
        QFETCH(QString, says);
        QVERIFY(open());
        field("in_CommissioniPerc")->setValore(rate);
        retype("in_SLMM", slmm);
        if (error)
            db->real.Execute(cause[0]);
        watch->answerNext(answer, [&] { db->real.Execute(cause[1]); });
        esci();
        const QList<ModalWatch::Seen> seen = watch->take();
        QVERIFY2(seen.size() == 1 && seen[0].text.startsWith(says) &&
                     (!error || seen[0].text.contains(QStringLiteral("Errore %1:").arg(error))),
                 qPrintable(says));
        const bool retried = answer == "Riprova";
        QCOMPARE(form->isVisible(), !error || answer == "Annulla");
        QCOMPARE(field("in_SLMM")->Valore(), slmm);
        QCOMPARE(stored("SELECT SLMM AS v FROM Settaggi"), retried ? 70.0 : 100.0);
        QCOMPARE(stored("SELECT Commissioni AS v FROM System"), retried ? 3.0 : 1.9);
        QCOMPARE(db->log.contains("recalculate"), retried);
        if (!error)
            QTRY_COMPARE(QApplication::focusWidget(),
                         field(rate == "3" ? "in_SLMM" : "in_CommissioniPerc"));
    }

    void enter_closesNothingInAFieldOrOnEsci() {
        // State: open. Action: Enter in the first field, then on the focused "Esci".
        // Expected: the window stays open and nothing is written.
        QVERIFY(open());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        form->findChild<QPushButton *>("Command2")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QVERIFY(form->isVisible());
        QCOMPARE(db->log, QStringList());
    }

    void tariffGroup_namesEachFieldAndTabsAfterTheFive() {
        // State: open. Action: Tab from the first field round the window. Expected: the five
        // in their order, "Esci", the rate, then the tariff's fields top to bottom, each named
        // by its label; the rate's unit per thousand.
        QVERIFY(open());
        const QStringList order{"in_CommMinime",
                                "in_CapitalGain",
                                "in_SLMM",
                                "in_SLP",
                                "Command2",
                                "in_CommissioniPerc",
                                "in_CommissioniMax",
                                "in_CommissioniMaxPerc",
                                "in_CommissioniFisse",
                                "in_CommissioniPerAzione",
                                "in_ImpostaTransazioni",
                                "in_CommMinime"};
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 1; i < order.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, order);
        QStringList names;
        for (const char *name :
             {"in_CommissioniMax", "in_CommissioniMaxPerc", "in_CommissioniFisse",
              "in_CommissioniPerAzione", "in_ImpostaTransazioni"})
            names << field(name)->accessibleName();
        QCOMPARE(names, (QStringList{"Massimo per ordine", "Massimo in % dell'ordine",
                                     "Parte fissa per ordine", "Importo per azione",
                                     "Imposta sulle transazioni"}));
        QCOMPARE(form->findChild<QGroupBox *>("tariffFrame")->title(), "Tariffa");
        QCOMPARE(form->findChild<QLabel *>("Label1")->text(), "‰");
        // Every label and field lies inside the window.
        for (QWidget *child : form->findChildren<QWidget *>())
            QVERIFY2(
                form->rect().contains(QRect(child->mapTo(form.get(), QPoint()), child->size())),
                qPrintable(child->objectName()));
    }

    void editsLeavingAnUnusableValue_areRefused_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored"); // the statement that puts the value in the file
        QTest::addColumn<int>("select");     // characters selected from the start
        QTest::addColumn<QString>("keys");   // typed over them; empty: Backspace
        QTest::addColumn<QString>("after");  // the field's text afterwards
        const char *rate = "UPDATE System SET Commissioni = ";
        for (const auto &[row, name, stored, select, keys, after] :
             {std::tuple{"sign left of 1E-05", "in_CommissioniPerc", "0.00001", 2, "", "1E-05"},
              {"en sign left of 1E-05", "in_CommissioniPerc", "0.00001", 2, "", "1E-05"},
              {"exponent's own sign kept", "in_CommissioniPerc", "0.00001", 1, "", "E-05"},
              {"rate above 1000", "in_CommissioniPerc", "100", 0, "1", "100"},
              {"rate of 1000", "in_CommissioniPerc", "100", 3, "1000", "1000"}})
            QTest::newRow(row) << QString(name) << rate + QString(stored) << select << QString(keys)
                               << QString(after);
        QTest::newRow("percent maximum above 100")
            << "in_CommissioniMaxPerc"
            << "UPDATE Tariffa SET CommissioniMaxPerc = 10" << 0 << "1"
            << "10";
        QTest::newRow("tax of 100") << "in_ImpostaTransazioni"
                                    << "UPDATE Tariffa SET ImpostaTransazioni = 0" << 1 << "100"
                                    << "100";
    }
    void editsLeavingAnUnusableValue_areRefused() {
        // State: the row's value stored. Action: select characters from the start, then type
        // or Backspace. Expected: an edit whose whole text no trade can use is refused.
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QFETCH(int, select);
        QFETCH(QString, keys);
        db->real.Execute(stored);
        QVERIFY(open());
        InputNumerico *f = field(name);
        f->setFocus();
        QTest::keyClick(f, Qt::Key_Home);
        for (int i = 0; i < select; ++i)
            QTest::keyClick(f, Qt::Key_Right, Qt::ShiftModifier);
        if (keys.isEmpty())
            QTest::keyClick(f, Qt::Key_Backspace);
        else
            QTest::keyClicks(f, keys);
        QTEST(f->Valore(), "after");
        db->log.clear();
    }

    void unreadableSettings_areReportedAndTheWindowClosesWithoutWriting() {
        // State: System holds no row. Action: open. Expected: the report, then no window.
        db->real.Execute(u"DELETE FROM System");
        open(false);
        QTRY_VERIFY(!form->isVisible());
        QVERIFY(watch->take().value(0).text.contains("3021"));
        QCOMPARE(db->log, QStringList());
    }
};

QTEST_MAIN(TstSettingsWindow)
#include "tst_settingswindow.moc"
