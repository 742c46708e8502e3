// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as the program runs it: the settings file beside the program opens, or the
// run-time error report ends the program before any window shows. No user copy or installed
// template exists here (their rules have their own test).
#include "app/startup.h"
#include "platform/sqlitedatabase.h"
#include "support/datafile.h"
#include "support/modalwatch.h"
#include "support/widgets.h"
#include "ui/errorreport.h"
#include "ui/form1.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace margino;

class TstStartup : public QObject {
    Q_OBJECT

    static QApplication &app() {
        return *static_cast<QApplication *>(QCoreApplication::instance());
    }

    QTemporaryDir xdg;

    // Starts the program in folder; "Esci" is clicked as soon as the main window shows, after
    // meanwhile has done what the user does there.
    static int run(const QString &folder, bool &shown,
                   const std::function<void(QWidget *)> &meanwhile = {}) {
        shown = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (qobject_cast<Form1 *>(w) && w->isVisible() && !shown) {
                    shown = true;
                    if (meanwhile)
                        meanwhile(w);
                    child<QPushButton>(w, "cmd_Ok")->click();
                }
        });
        poll.start(10);
        return Main(app(), folder);
    }

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", xdg.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", xdg.filePath("data").toUtf8());
        qputenv("XDG_DATA_DIRS", xdg.filePath("dirs").toUtf8());
    }

    void unusableFile_endsWithTheErrorReportAndNoWindow_data() {
        QTest::addColumn<QByteArray>("content"); // the file's bytes, or "sql:" run on a copy
        QTest::addColumn<QString>("summary");    // the report's first line
        QTest::addColumn<QString>("error");
        const QString values = "I valori nel file delle impostazioni non sono utilizzabili.";
        QTest::newRow("missing") << QByteArray("missing")
                                 << "Il file delle impostazioni non si trova."
                                 << "53:\n\nImpossibile trovare il file";
        QTest::newRow("not a database")
            << QByteArray(4096, 'Z') << "Il file delle impostazioni non è un database."
            << "26:\n\nfile is not a database";
        QTest::newRow("empty") << QByteArray()
                               << "Il file delle impostazioni non ha la tabella System."
                               << "1:\n\nno such table: System";
        QTest::newRow("NULL") << QByteArray("sql:UPDATE System SET CommissioniMin = NULL") << values
                              << "94:\n\nTabella System, campo CommissioniMin";
        QTest::newRow("text") << QByteArray("sql:UPDATE Settaggi SET SLP = 'cinque'") << values
                              << "13:\n\nTabella Settaggi, campo SLP: «cinque»";
        QTest::newRow("infinite") << QByteArray("sql:UPDATE Settaggi SET SLMM = 1e999") << values
                                  << "6:\n\nTabella Settaggi, campo SLMM";
        // A finite value no tariff can have.
        QTest::newRow("negative tariff maximum")
            << QByteArray("sql:UPDATE Tariffa SET CommissioniMax = -19") << values
            << "380:\n\nTabella Tariffa, campo CommissioniMax: il valore -19 è negativo";
    }
    void unusableFile_endsWithTheErrorReportAndNoWindow() {
        QFETCH(QByteArray, content);
        QFETCH(QString, summary);
        QFETCH(QString, error);
        // State: the program's folder holds a settings file that cannot be used, or none.
        DataFileCopy file;
        if (content.startsWith("sql:")) {
            SqliteDatabase(file.path(), {}).Execute(QString::fromUtf8(content.mid(4)));
        } else {
            QFile::remove(file.path());
            QVERIFY(content == "missing" || writeFile(file.path(), content));
        }
        // Action: start. Expected: one report leading with the cause in Italian, then number,
        // description and file; status 1 and no window.
        ModalWatch watch;
        bool shown;
        QCOMPARE(run(file.folder(), shown), 1);
        QVERIFY(!shown);
        QCOMPARE(watch.seen().size(), 1);
        const ModalWatch::Seen report = watch.seen().first();
        QCOMPARE(report.title, QString::fromLatin1(ErrorReportTitle));
        QVERIFY2(report.text.startsWith(summary + "\n\nErrore di run-time ") &&
                     report.text.contains(error) && report.text.contains(file.path()),
                 qPrintable(report.text));
        QCOMPARE(report.otherWindows, QStringList());
        QCOMPARE(QFile::exists(file.path()), content != "missing");
    }

    void fileWithoutTheTariffTable_opensAsBefore() {
        // State: a file written before the tariff's table existed. Action: start, "Esci".
        // Expected: status 0, no report, and the file still without the table.
        DataFileCopy file;
        SqliteDatabase(file.path(), {}).Execute(u"DROP TABLE Tariffa");
        ModalWatch watch;
        bool shown;
        QCOMPARE(run(file.folder(), shown), 0);
        QVERIFY(shown);
        QVERIFY2(watch.seen().isEmpty(), qPrintable(watch.describe()));
        QCOMPARE(SqliteDatabase(file.path(), {})
                     .OpenRecordset(u"SELECT count(*) AS n FROM sqlite_master WHERE name = "
                                    u"'Tariffa'")
                     .number("n"),
                 0.0);
    }

    void portableFolder_keepsItsOwnTradeAndTaxSwitchAcrossARestart() {
        // State: two portable folders, each with its settings file beside the program; the
        // current folder elsewhere; the tax switch off in a new settings file.
        DataFileCopy first, second;
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        ModalWatch watch;
        bool shown;
        // Action: three runs in the first folder, then one in the second, each noting the
        // quantity and the switch; the first run types a quantity, the first two turn the switch.
        QStringList seen;
        const auto look = [&](QWidget *form) {
            auto *quantity = child<QLineEdit>(form, "in_Qta");
            auto *tax = child<QCheckBox>(form, "transactionTax");
            seen << quantity->text() + (tax->isChecked() ? " on" : " off");
            if (seen.size() == 1)
                QTest::keyClicks(quantity, "250");
            if (seen.size() <= 2)
                tax->click();
        };
        for (const QString &folder :
             {first.folder(), first.folder(), first.folder(), second.folder()})
            QCOMPARE(run(folder, shown, look), 0);
        // Expected: each run of the first folder finds what the one before left; the second
        // folder and the user's configuration folder kept nothing of it.
        QCOMPARE(seen, QStringList({" off", "250 on", "250 off", " off"}));
        QVERIFY(QFile::exists(first.folder() + "/Margino.ini"));
        QVERIFY(!QFile::exists(xdg.filePath("config/Margino/Margino.conf")));
        QVERIFY2(watch.seen().isEmpty(), qPrintable(watch.describe()));
    }
};

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
