// SPDX-License-Identifier: GPL-3.0-or-later
// The settings window on a copy of the settings file: every close writes the five values in one
// transaction and recalculates, or keeps the window open and says why.
#include "support/modalwatch.h"
#include "support/spydatabase.h"
#include "ui/frmparametriiniziali.h"
#include "ui/inputnumerico.h"

#include <QPushButton>
#include <QTest>

using namespace margino;

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
    void retype(const QString &name, const QString &text) {
        QTest::keyClick(field(name), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field(name), Qt::Key_Delete);
        QTest::keyClicks(field(name), text);
    }
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

    void closeWithAChange_writesTheFieldsToEveryRowInOneTransactionAndRecalculates_data() {
        QTest::addColumn<QString>("typed"); // the new rate, as keys
        QTest::addColumn<bool>("closeBox"); // else "Esci"
        QTest::addColumn<QString>("rate");  // as the statement writes it
        QTest::newRow("comma") << "0,19" << false << "0.19";
        QTest::newRow("en point, close box") << "0.19" << true << "0.19";
        QTest::newRow("fa separator") << "0,19" << false << "0.19";
    }
    void closeWithAChange_writesTheFieldsToEveryRowInOneTransactionAndRecalculates() {
        // State: System holds a second row. Action: type the rate, close. Expected: the exact
        // statements in one transaction, both rows written, one recalculation; on reopening
        // the rate in the locale's writing.
        QFETCH(QString, typed);
        QFETCH(bool, closeBox);
        QFETCH(QString, rate);
        db->real.Execute(u"INSERT INTO System VALUES (7, 7)");
        QVERIFY(open());
        retype("in_CommissioniPerc", typed);
        closeBox ? void(form->close()) : esci();
        QCOMPARE(db->log,
                 (QStringList{"BeginTrans", "UPDATE Settaggi SET CapitalGain =26,SLMM =100,SLP = 5",
                              "UPDATE System SET CommissioniMin =2.95,Commissioni =" + rate,
                              "CommitTrans", "recalculate"}));
        QCOMPARE(stored("SELECT COUNT(*) AS v FROM System WHERE Commissioni = " + rate), 2.0);
        QVERIFY(open());
        QCOMPARE(field("in_CommissioniPerc")->Valore(), "0" + QLocale().decimalPoint() + "19");
    }

    void saveByAnotherProgram_isNeverLostUnasked_data() {
        QTest::addColumn<QString>("typed");  // the new M.M. stop loss; empty: nothing changed
        QTest::addColumn<QString>("answer"); // to the question; empty: no question expected
        QTest::addColumn<double>("slmm");    // in the file afterwards
        for (const auto &[name, typed, answer, slmm] :
             {std::tuple{"unchanged", "", "", 150.0},
              {"changed, Sovrascrivi", "70", "Sovrascrivi", 70.0},
              {"changed, Tieni gli altri", "70", "Tieni gli altri", 150.0},
              {"changed, Annulla", "70", "Annulla", 150.0}})
            QTest::newRow(name) << QString(typed) << QString(answer) << slmm;
    }
    void saveByAnotherProgram_isNeverLostUnasked() {
        // State: the window is open; another copy, on its own connection to the file, saves an
        // M.M. stop loss of 150. Action: type or not, "Esci", answer; while the question shows,
        // the other copy saves again. Expected: nothing written unless typed and confirmed; the
        // question names the other value; the write lock free meanwhile; a recalculation on
        // every close; the window open after "Annulla".
        QFETCH(QString, typed);
        QFETCH(QString, answer);
        QFETCH(double, slmm);
        QVERIFY(open());
        SqliteDatabase other(db->file.path(), {});
        other.Execute(u"UPDATE Settaggi SET SLMM = 150");
        if (!typed.isEmpty())
            retype("in_SLMM", typed);
        bool lockFree = false;
        watch->answerNext(answer, [&] {
            other.Execute(u"UPDATE Settaggi SET SLMM = 150");
            lockFree = true;
        });
        esci();
        const QList<ModalWatch::Seen> seen = watch->take();
        QCOMPARE(seen.size(), answer.isEmpty() ? 0 : 1);
        QCOMPARE(lockFree, !answer.isEmpty());
        if (!answer.isEmpty())
            QVERIFY(seen[0].text.endsWith(":\n\nM.M. stop loss: 150 nel file, 70 qui"));
        QCOMPARE(stored("SELECT SLMM AS v FROM Settaggi"), slmm);
        QCOMPARE(db->log.filter("UPDATE").size(), answer == "Sovrascrivi" ? 2 : 0);
        QCOMPARE(form->isVisible(), answer == "Annulla");
        QCOMPARE(db->log.contains("recalculate"), answer != "Annulla");
    }

    void failedSave_saysWhyAndWritesOnlyOnRetry_data() {
        QTest::addColumn<QString>("slmm");
        QTest::addColumn<QStringList>("cause"); // what makes the engine refuse, and its cure
        QTest::addColumn<QString>("answer");
        QTest::addColumn<int>("error");    // the engine's number; 0: the field is named instead
        QTest::addColumn<QString>("says"); // how the message begins
        QTest::newRow("empty field")
            << "" << QStringList() << "" << 0 << "Il campo «M.M. stop loss» è vuoto";
        QTest::newRow("en lone point") << "." << QStringList() << "" << 0
                                       << "Il campo «M.M. stop loss» non contiene un numero";
        // The engine's read-only switch stands in for a write-protected file, which root
        // (as tests often run) would still write.
        const QStringList readOnly{"PRAGMA query_only = ON", "PRAGMA query_only = OFF"};
        const QString readOnlySays = "Il file delle impostazioni è di sola lettura.\n\nLe "
                                     "impostazioni non sono state salvate";
        QTest::newRow("read-only, Annulla") << "70" << readOnly << "Annulla" << 8 << readOnlySays;
        QTest::newRow("read-only, Riprova") << "70" << readOnly << "Riprova" << 8 << readOnlySays;
        const QStringList refused{"CREATE TRIGGER no BEFORE UPDATE ON System "
                                  "BEGIN SELECT RAISE(ABORT, 'no'); END",
                                  "DROP TRIGGER no"};
        QTest::newRow("second statement fails, Chiudi senza salvare")
            << "70" << refused << "Chiudi senza salvare" << 19
            << "Le impostazioni non sono state salvate";
    }
    void failedSave_saysWhyAndWritesOnlyOnRetry() {
        // State: new values typed, a field wrong or the engine refusing. Action: "Esci"; the
        // cause goes while the engine's report shows, then the answer. Expected: one message
        // saying why; both tables written and recalculated on a retry only; the window open with
        // what was typed on "Annulla" or a wrong field, which then has the focus.
        QFETCH(QString, slmm);
        QFETCH(QStringList, cause);
        QFETCH(QString, answer);
        QFETCH(int, error);
        QFETCH(QString, says);
        QVERIFY(open());
        retype("in_CommissioniPerc", "3");
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
            QTRY_COMPARE(QApplication::focusWidget(), field("in_SLMM"));
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
