// SPDX-License-Identifier: GPL-3.0-or-later
// What is kept between starts, on real files: the trade, the window's position and the tax
// switch come back after a restart, in any locale; a portable folder keeps its own file.
#include "store/sessionstate.h"
#include "support/datafile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;

class TstSessionState : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    QString iniPath() const { return root.filePath("Margino.ini"); }

private slots:
    void init() { QFile::remove(iniPath()); }

    void firstStart_keepsNothingAndTheTaxIsOff() {
        // State: no file yet. Action: open the state. Expected: empty trade, no position,
        // tax off, and nothing written until something is set.
        SessionState state(iniPath());
        QCOMPARE(state.trade(QLocale(QLocale::Italian)), SessionState::Trade{});
        QVERIFY(!state.windowPosition());
        QVERIFY(!state.transactionTax());
    }

    void restart_bringsBackWhatWasSet_data() {
        QTest::addColumn<QString>("saved");  // locale at the first run
        QTest::addColumn<QString>("opened"); // locale at the second
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("read");
        using Texts = QStringList;
        for (const auto &[row, saved, opened, written, read] :
             {std::tuple{"it to it", "it_IT", "it_IT", Texts{"1000", "10,5", ",25"},
                         Texts{"1000", "10,5", ",25"}},
              {"en to en", "en_US", "en_US", Texts{"7", "0.25", ""}, Texts{"7", "0.25", ""}},
              {"it to en, the same numbers", "it_IT", "en_US", Texts{"12", "1234,5", "12,"},
               Texts{"12", "1234.5", "12."}},
              {"en to it", "en_US", "it_IT", Texts{"3", ".5", "9.75"}, Texts{"3", ",5", "9,75"}}})
            QTest::newRow(row) << QString(saved) << QString(opened) << written << read;
    }
    void restart_bringsBackWhatWasSet() {
        QFETCH(QString, saved);
        QFETCH(QString, opened);
        QFETCH(QStringList, written);
        QFETCH(QStringList, read);
        // State: a run sets a trade, a position and the tax switch, and ends.
        {
            SessionState state(iniPath());
            state.setTrade({written[0], written[1], written[2]}, QLocale(saved));
            state.setWindowPosition(QPoint(-40, 1210));
            state.setTransactionTax(true);
        }
        // Action: the next run opens the file. Expected: all three as set.
        const SessionState state(iniPath());
        QCOMPARE(state.trade(QLocale(opened)), (SessionState::Trade{read[0], read[1], read[2]}));
        QCOMPARE(state.windowPosition(), std::optional<QPoint>(QPoint(-40, 1210)));
        QVERIFY(state.transactionTax());
    }

    void handEditedFile_givesNoPositionAndNoTax() {
        // State: a file whose values are not what the program writes.
        QVERIFY(writeFile(iniPath(), "[window]\nposition=left\n[costs]\ntransactionTax=yes\n"));
        // Action: open it. Expected: no position, the tax off, nothing refused loudly.
        const SessionState state(iniPath());
        QVERIFY(!state.windowPosition());
        QVERIFY(!state.transactionTax());
    }

    void noFile_keepsTheStateForThisRunOnly() {
        // State: a state with no file. Action: set everything. Expected: read back as set,
        // and saving succeeds without writing anywhere.
        SessionState state;
        state.setTrade({"5", "1,5", ""}, QLocale(QLocale::Italian));
        state.setTransactionTax(true);
        QCOMPARE(state.trade(QLocale(QLocale::Italian)), (SessionState::Trade{"5", "1,5", ""}));
        QVERIFY(state.transactionTax());
        QVERIFY(state.save());
        QVERIFY(!QFile::exists(iniPath()));
    }

    void unwritableFolder_saveSaysSo() {
        // State: the file's folder does not exist and cannot be made (a file stands there).
        QVERIFY(writeFile(root.filePath("blocker"), {}));
        SessionState state(root.filePath("blocker/Margino.ini"));
        state.setTransactionTax(true);
        // Action: save. Expected: false; the state still holds the value for this run.
        QVERIFY(!state.save());
        QVERIFY(state.transactionTax());
    }

    void fileFor_portableFolderKeepsItsOwn() {
        // State: XDG_CONFIG_HOME in the test's folder. Action: ask where the state lives for a
        // program with its settings file beside it, then for one using the user's copy.
        // Expected: beside the portable program, else in the user's configuration folder.
        qputenv("XDG_CONFIG_HOME", root.filePath("config").toUtf8());
        const QString program = root.filePath("program"), user = root.filePath("config/Margino");
        QDir().mkpath(program);
        QCOMPARE(SessionState::fileFor(program + "/", program + "/DataMg.mgd"),
                 program + "/Margino.ini");
        QCOMPARE(SessionState::fileFor(program + "/", user + "/DataMg.mgd"),
                 user + "/Margino.conf");
    }
};

QTEST_GUILESS_MAIN(TstSessionState)
#include "tst_sessionstate.moc"
