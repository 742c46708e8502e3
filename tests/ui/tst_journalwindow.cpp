// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a trade from the main window and the "Registro operazioni" window, driven with the
// keyboard: refusals, the note dialog, reopening, the year filter, deletion with undo, the note
// edited in place, the export through Qt's file dialog and a damaged journal.
#include "support/journalfixture.h"
#include "support/mainwindow.h"
#include "ui/inputnumerico.h"
#include "ui/journalwindow.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

using namespace margino;

class TstJournalWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> w;
    std::unique_ptr<JournalFixture> j;

    // Keys go to the main window once it is active again after a dialog, as a user's would.
    void backToMainWindow() { settle(w->form.get()); }
    // A closed dialog's activation of the window beneath may come later: wait it out, then
    // make sure the window the keys go to is the active one.
    static void settle(QWidget *window) {
        QTest::qWait(100);
        if (!window->isActiveWindow())
            window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            qWarning("%s is not active", qPrintable(window->objectName()));
    }
    // Types qty, price and sale, then Ctrl+S, answering the note dialog with note and Enter.
    void saveTrade(const QString &qty, const QString &price, const QString &sale,
                   const QString &note) {
        backToMainWindow();
        w->type("in_Qta", qty);
        w->type("in_AcqPzo", MainWindowFixture::local(price));
        w->type("in_VndPzo", MainWindowFixture::local(sale));
        answerNoteDialog(note);
        QTest::keyClick(w->form.get(), Qt::Key_S, Qt::ControlModifier);
    }
    // The note dialog, when it shows, gets the note typed and then the key.
    void answerNoteDialog(const QString &note, Qt::Key key = Qt::Key_Return) {
        w->watch.actOnNext([note, key](QDialog *dialog) {
            QTest::keyClicks(dialog->focusWidget(), note);
            QTest::keyClick(dialog->focusWidget(), key);
        });
    }
    QList<Trade> saved() const {
        JournalFile journal(j->path(), JournalFile::Open::Existing);
        QList<Trade> trades;
        journal.forEach({}, [&](const Trade &t) {
            trades << t;
            return true;
        });
        return trades;
    }
    static JournalWindow *journalWindow() {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<JournalWindow *>(top); window && window->isVisible())
                return window;
        }
        return nullptr;
    }
    JournalWindow *openWindow() {
        backToMainWindow();
        QTest::keyClick(w->form.get(), Qt::Key_R, Qt::ControlModifier);
        JournalWindow *window = journalWindow();
        if (window)
            settle(window);
        return window;
    }

private slots:
    void init() {
        j = std::make_unique<JournalFixture>();
        w = std::make_unique<MainWindowFixture>();
        w->form->setJournalFile(j->path());
    }
    void cleanup() {
        QVERIFY2(w->watch.seen().isEmpty(), qPrintable(w->watch.describe()));
        w.reset();
    }

    void ctrlS_onRefusedInputsOrAnEscapedNote_savesNothing_data() {
        QTest::addColumn<QString>("qty");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("why"); // the message; empty: the note dialog, left with Esc
        for (const auto &[row, qty, price, why] :
             {std::tuple{"blank", "", "", "manca la quantità"},
              {"no price", "100", "", "manca il prezzo di acquisto"},
              {"zero quantity", "0", "10", "non danno un risultato"},
              {"Esc in the note dialog", "100", "10", ""}})
            QTest::newRow(row) << QString(qty) << QString(price) << QString::fromUtf8(why);
    }
    void ctrlS_onRefusedInputsOrAnEscapedNote_savesNothing() {
        // State: inputs that give no purchase result, or a purchase. Action: Ctrl+S (and Esc
        // in the note dialog). Expected: one dialog, the message saying why; no journal file.
        QFETCH(QString, qty);
        QFETCH(QString, price);
        QFETCH(QString, why);
        w->type("in_Qta", qty);
        w->type("in_AcqPzo", price);
        if (why.isEmpty())
            answerNoteDialog("no", Qt::Key_Escape);
        QTest::keyClick(w->form.get(), Qt::Key_S, Qt::ControlModifier);
        const QList<ModalWatch::Seen> seen = w->watch.take();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].title, "Salva operazione");
        QVERIFY2(seen[0].text.contains(why), qPrintable(seen[0].text));
        QVERIFY(!QFile::exists(j->path()));
    }

    void ctrlS_savesTheTradeAsTypedWithItsNote_data() {
        QTest::addColumn<QString>("sale");
        QTest::addColumn<bool>("taxed");
        QTest::addColumn<QStringList>("figures"); // sale, commissions, tax, gain, after the tax
        const QStringList closed{"11.25", "5.9", "0", "69.1", "51.13"}; // orders at the minimum
        QTest::newRow("it closed") << "11,25" << false << closed;
        QTest::newRow("en closed") << "11,25" << false << closed;
        QTest::newRow("it open") << "" << false << QStringList{"", "", "", "", ""};
        // 0,2 % of 1050; the capital-gain tax falls on the gain before it.
        QTest::newRow("it taxed") << "11,25" << true
                                  << QStringList{"11.25", "5.9", "2.1", "67", "49.03"};
    }
    void ctrlS_savesTheTradeAsTypedWithItsNote() {
        // State: 100 at 10,5 (sold at 11,25 or open). Action: Ctrl+S, a note, Enter.
        // Expected: one trade, texts with a decimal point whatever the locale, the tariff used.
        QFETCH(QString, sale);
        QFETCH(bool, taxed);
        w->form->setTransactionTaxApplies(taxed);
        saveTrade("100", "10,5", sale, "Enel");
        QCOMPARE(w->watch.take().constFirst().title, "Salva operazione");
        const QList<Trade> trades = saved();
        QCOMPARE(trades.size(), 1);
        const Trade &t = trades[0];
        QCOMPARE((QStringList{t.quantity, t.purchasePrice, t.purchaseAmount, t.note}),
                 (QStringList{"100", "10.5", "1050", "Enel"}));
        QCOMPARE((QStringList{t.costs.rate, t.costs.minimum, t.costs.capitalGain, t.costs.maximum,
                              t.costs.taxRate}),
                 (QStringList{"1.9", "2.95", "26", "0", "0.2"}));
        QCOMPARE(t.costs.taxApplied, taxed);
        QCOMPARE(t.isOpen(), sale.isEmpty());
        QTEST((QStringList{t.salePrice, t.commissions, t.transactionTax, t.gain, t.gainAfterTax}),
              "figures");
    }

    void ctrlSThereAndEnterOnATrade_saveItAndOpenItBackSayingWhatChanged() {
        // State: a trade typed, the journal window open and empty. Action: Ctrl+S there, a note,
        // Enter; the fields cleared, Enter on the row; the commission rate changed, Enter again.
        // Expected: the trade saved and shown at once; the three fields come back; first the
        // figures match, then the window names those that changed.
        w->type("in_Qta", "2000");
        w->type("in_AcqPzo", "10,5");
        w->type("in_VndPzo", "11");
        JournalWindow *window = openWindow();
        QVERIFY(window);
        auto *table = child<QTableView>(window, "Operazioni");
        auto *status = child<QLabel>(window, "status");
        QCOMPARE(table->model()->rowCount(), 0);
        QCOMPARE(status->text(), "Nessuna operazione è ancora stata salvata.");
        answerNoteDialog("aperta");
        QTest::keyClick(table, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(w->watch.take().size(), 1);
        QCOMPARE(table->model()->rowCount(), 1);
        QCOMPARE(saved().constFirst().note, "aperta");
        QCOMPARE(status->text(), QString());
        for (const char *field : {"in_Qta", "in_AcqPzo", "in_VndPzo"})
            w->type(field, QString());
        settle(window);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(w->control<InputNumerico>("in_Qta")->Valore(), "2000");
        QCOMPARE(w->control<InputNumerico>("in_AcqPzo")->Valore(), "10,5");
        QCOMPARE(w->control<InputNumerico>("in_VndPzo")->Valore(), "11");
        QVERIFY2(status->text().contains("quelle salvate"), qPrintable(status->text()));
        w->db.Execute(u"UPDATE System SET Commissioni = 3");
        QTest::keyClick(table, Qt::Key_Return);
        QVERIFY2(status->text().contains("Commissioni, Guadagno"), qPrintable(status->text()));
    }

    void deleteAsksThenCtrlZBringsBack_andTheNoteEditsInPlace() {
        // State: two trades. Action: Canc on the first, answered "Elimina"; Ctrl+Z; F2 on the
        // note, a new note, Enter. Expected: one row, then two again; the note saved.
        saveTrade("10", "5", "6", "a");
        saveTrade("20", "5", "6", "b");
        w->watch.take();
        JournalWindow *window = openWindow();
        auto *table = child<QTableView>(window, "Operazioni");
        QCOMPARE(table->model()->rowCount(), 2);
        w->watch.answerNext("Elimina");
        QCOMPARE(QApplication::focusWidget(), table);
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(w->watch.seen().size(), 1);
        QCOMPARE(w->watch.take().constFirst().text, "Eliminare l'operazione selezionata?");
        QCOMPARE(table->model()->rowCount(), 1);
        QCOMPARE(saved().size(), 1);
        settle(window);
        QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table->model()->rowCount(), 2);
        QCOMPARE(saved().size(), 2);
        table->setCurrentIndex(table->model()->index(0, JournalView::Note));
        QTest::keyClick(table, Qt::Key_F2);
        auto *editor = table->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, "venduto; tutto");
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor hands its text over once the key is handled.
        QTRY_COMPARE(saved().constFirst().note, "venduto; tutto");
    }

    void yearList_filtersTheTableAndItsTotals() {
        // State: a 2024 gain and this year's trade. Action: the year list, by keyboard.
        // Expected: the newest year first; another year shows its own rows and totals.
        {
            JournalFile journal(j->path(), JournalFile::Open::Create);
            journal.save(sampleTrade("2024-06-01T10:00:00", "100", "10", "11", "94.1", "69.63"));
            journal.save(
                sampleTrade(QDateTime::currentDateTime().toString(Qt::ISODate), "7", "3", ""));
        }
        JournalWindow *window = openWindow();
        auto *year = child<QComboBox>(window, "Anno");
        auto *table = child<QTableView>(window, "Operazioni");
        auto *totals = child<QLabel>(window, "totals");
        QCOMPARE(year->currentText(), QString::number(QDate::currentDate().year()));
        QCOMPARE(table->model()->rowCount(), 1);
        QVERIFY2(totals->text().startsWith("Chiuse 0, aperte 1"), qPrintable(totals->text()));
        year->setFocus();
        QTest::keyClick(year, Qt::Key_Down);
        QCOMPARE(year->currentText(), "2024");
        QCOMPARE(table->model()->rowCount(), 1);
        QVERIFY2(totals->text().contains("guadagni 94,10 €"), qPrintable(totals->text()));
        QVERIFY2(totals->text().contains("imposta 24,47 €"), qPrintable(totals->text()));
        QTest::keyClick(year, Qt::Key_Home);
        QCOMPARE(year->currentText(), "Tutti");
        QCOMPARE(table->model()->rowCount(), 2);
    }

    void export_asksInQtsDialogAndWritesTheFormatOfTheName() {
        // State: a saved trade. Action: Esporta… by keyboard, a name ending .xlsx typed in the
        // file dialog, Enter. Expected: a workbook (a zip) is written without blocking.
        saveTrade("10", "5", "6", "a");
        w->watch.take();
        JournalWindow *window = openWindow();
        const QString target = j->dir.filePath("esportate.xlsx");
        w->watch.actOnNext([target](QDialog *dialog) {
            QVERIFY(qobject_cast<QFileDialog *>(dialog));
            auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
            QVERIFY(name);
            name->setText(target); // typed whole, so no completion list opens
            QTest::keyClick(name, Qt::Key_Return);
        });
        QSignalSpy finished(window, &JournalWindow::exportFinished);
        auto *button = child<QPushButton>(window, "Esporta…");
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);
        QCOMPARE(w->watch.take().size(), 1);
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.constFirst().constFirst().toBool(), true);
        QCOMPARE(readFile(target).left(2), "PK");
    }

    void damagedJournal_isOfferedToBeSetAsideNeverOverwritten() {
        // State: a journal file of garbage. Action: Ctrl+R, the question declined; then again,
        // "Metti da parte". Expected: untouched the first time; renamed aside the second.
        QVERIFY(writeFile(j->path(), QByteArray(4096, 'z')));
        JournalWindow *window = openWindow();
        QVERIFY(window);
        QList<ModalWatch::Seen> seen = w->watch.take();
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen[0].text.contains("danneggiato"), qPrintable(seen[0].text));
        QCOMPARE(readFile(j->path()), QByteArray(4096, 'z'));
        window->close();
        QTRY_VERIFY(!journalWindow());
        w->watch.answerNext("Metti da parte");
        openWindow();
        seen = w->watch.take();
        QCOMPARE(seen.size(), 2); // the question, then where the file went
        QVERIFY(!QFile::exists(j->path()));
        QCOMPARE(QDir(j->dir.path()).entryList({"Registro-danneggiato-*.sqlite"}).size(), 1);
        // The calculator goes on, and the next save starts a new journal.
        journalWindow()->close();
        saveTrade("10", "5", "6", "nuovo");
        w->watch.take();
        QCOMPARE(saved().size(), 1);
    }
};

QTEST_MAIN(TstJournalWindow)
#include "tst_journalwindow.moc"
