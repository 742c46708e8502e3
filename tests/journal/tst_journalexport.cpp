// SPDX-License-Identifier: GPL-3.0-or-later
// The exports read back as a spreadsheet would: the CSV parsed with Italian rules (";", decimal
// comma, byte-order mark, dd/mm/yyyy), the workbook unzipped and its cells and strings read.
#include "journal/journalexport.h"
#include "support/journalfixture.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QXmlStreamReader>

using namespace margino;

namespace {

const QString Note = QStringLiteral("Enel; \"prima\"\nriga è €");

void fill(JournalFile &journal) {
    Trade a = sampleTrade("2025-03-01T10:00:00", "100", "10", "11", "94.1", "69.63");
    a.note = Note;
    journal.save(a);
    Trade b = sampleTrade("2025-05-01T10:05:00", "1000", "1.2345", "1.1", "-140.4");
    b.note = QStringLiteral("=SOMMA(A1:A9)");
    journal.save(b);
    journal.save(sampleTrade("2026-07-01T10:00:00", "7", "3.5", ""));
}

// A spreadsheet's reading of CSV: fields split at ";" outside quotes, "" inside quotes is one
// quote, a line break inside quotes belongs to the field.
QList<QStringList> parseCsv(const QString &text) {
    QList<QStringList> rows{{}};
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"')
                field += text[++i];
            else if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u';') {
            rows.last() << std::exchange(field, {});
        } else if (c == u'\r') {
        } else if (c == u'\n') {
            rows.last() << std::exchange(field, {});
            rows.append(QStringList());
        } else {
            field += c;
        }
    }
    if (rows.last().isEmpty())
        rows.removeLast();
    return rows;
}

QByteArray unzipped(const QString &archive, const QString &member) {
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), archive, member});
    unzip.waitForFinished();
    return unzip.readAllStandardOutput();
}

} // namespace

class TstJournalExport : public QObject {
    Q_OBJECT

private slots:
    void csv_readsBackAsAnItalianSpreadsheetReadsIt() {
        // State: three trades, one with a note holding ";", quotes, a line break and "€".
        // Action: export 2025 sorted by gain upwards. Expected: BOM, one header row, the
        // two trades in that order, numbers with a decimal comma and no grouping.
        JournalFixture f;
        JournalFile journal(f.path(), JournalFile::Open::Create);
        fill(journal);
        const QString target = f.dir.filePath(QStringLiteral("anno.csv"));
        JournalView view;
        view.year = 2025;
        view.sortColumn = JournalView::Gain;
        view.descending = false;
        QVERIFY(exportJournal(f.path(), view, target));
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<QStringList> rows = parseCsv(QString::fromUtf8(bytes.mid(3)));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0],
                 QStringList({"Data", "Ora", "Quantità", "Prezzo acquisto", "Prezzo vendita",
                              "Importo acquisto", "Importo vendita", "Commissioni", "Tassa",
                              "Guadagno", "Guadagno netto", "Nota"}));
        const QLocale it(QLocale::Italian, QLocale::Italy);
        const auto number = [&](const QString &text) {
            bool ok = false;
            const double value = it.toDouble(text, &ok);
            return ok ? value : qQNaN();
        };
        QCOMPARE(QDate::fromString(rows[1][0], QStringLiteral("dd/MM/yyyy")), QDate(2025, 5, 1));
        QCOMPARE(rows[1][1], "10:05:00");
        QCOMPARE(rows[1][3], "1,2345");
        QCOMPARE(number(rows[1][5]), 1234.5);
        QVERIFY(!rows[1][5].contains(u'.')); // no grouping a spreadsheet would misread
        QCOMPARE(number(rows[1][9]), -140.4);
        // A note that reads as a formula is written so that no spreadsheet runs it.
        QCOMPARE(rows[1][11], "'=SOMMA(A1:A9)");
        QCOMPARE(number(rows[2][9]), 94.1);
        QCOMPARE(number(rows[2][10]), 69.63);
        QCOMPARE(rows[2][11], Note);
    }

    void xlsx_holdsNumbersAsNumbersAndTextsAsSharedStrings() {
        // State: three trades. Action: export all to .xlsx. Expected: the header and notes in
        // the shared strings, prices and gains as number cells, the euro format in the styles.
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
            QSKIP("unzip is not installed");
        JournalFixture f;
        JournalFile journal(f.path(), JournalFile::Open::Create);
        fill(journal);
        const QString target = f.dir.filePath(QStringLiteral("tutto.XLSX"));
        QCOMPARE(exportFormatOf(target), ExportFormat::Xlsx);
        QVERIFY(exportJournal(f.path(), {}, target));
        QStringList strings;
        QXmlStreamReader shared(unzipped(target, QStringLiteral("xl/sharedStrings.xml")));
        while (shared.readNextStartElement() || !shared.atEnd()) {
            if (shared.isStartElement() && shared.name() == u"t")
                strings << shared.readElementText();
        }
        QVERIFY(strings.contains(QStringLiteral("Prezzo acquisto")));
        QVERIFY(strings.contains(Note));
        QHash<QString, QString> cells; // "C3" -> its value, a shared string's text for strings
        QXmlStreamReader sheet(unzipped(target, QStringLiteral("xl/worksheets/sheet1.xml")));
        QString ref, type;
        while (!sheet.atEnd()) {
            sheet.readNext();
            if (sheet.isStartElement() && sheet.name() == u"c") {
                ref = sheet.attributes().value(QStringLiteral("r")).toString();
                type = sheet.attributes().value(QStringLiteral("t")).toString();
            } else if (sheet.isStartElement() && sheet.name() == u"v") {
                const QString v = sheet.readElementText();
                cells[ref] = type == u"s" ? strings.value(v.toInt()) : v;
            }
        }
        QCOMPARE(cells.value("A1"), "Data");
        QCOMPARE(cells.value("K1"), "Nota");
        // Newest first: row 2 the open trade (no sale cells), row 3 the 1000 at 1,2345.
        QCOMPARE(cells.value("B2"), "7");
        QVERIFY(!cells.contains("D2"));
        QCOMPARE(cells.value("C3").toDouble(), 1.2345);
        QCOMPARE(cells.value("I3").toDouble(), -140.4);
        QCOMPARE(cells.value("K4"), Note);
        QVERIFY(cells.value("A4").toDouble() > 45000); // a date serial, not a text
        QVERIFY(QString::fromUtf8(unzipped(target, QStringLiteral("xl/styles.xml")))
                    .contains(QStringLiteral("€")));
    }

    void stoppedOrFailedExport_leavesNoFile() {
        JournalFixture f;
        JournalFile journal(f.path(), JournalFile::Open::Create);
        QList<Trade> many(1200, sampleTrade("2025-03-01T10:00:00", "1", "1", "2", "1"));
        for (qsizetype i = 0; i < many.size(); ++i)
            many[i].id = i + 1;
        journal.restore(many); // one transaction
        for (const char *name : {"fermo.csv", "fermo.xlsx"}) {
            const QString target = f.dir.filePath(QString::fromLatin1(name));
            QVERIFY(!exportJournal(f.path(), {}, target, [](int) { return false; }));
            QVERIFY2(!QFile::exists(target), name);
        }
        const QString nowhere = f.dir.filePath(QStringLiteral("manca/x.csv"));
        try {
            exportJournal(f.path(), {}, nowhere);
            QFAIL("an export into a missing folder succeeded");
        } catch (const JournalError &error) {
            QVERIFY(error.summary().contains(QStringLiteral("non si può scrivere")));
        }
    }

    // State: the .xlsx module nowhere the program looks (the suite run again without the
    // build's library path). Action: export to .xlsx, then to CSV. Expected: an Italian
    // message that names the module and offers CSV, no file; the CSV export still works.
    void xlsxWithoutItsModule_saysSoAndWritesNothing() {
        if (qEnvironmentVariable("LD_LIBRARY_PATH").contains(QStringLiteral(MARGINO_BIN_DIR)))
            QSKIP("the module is on the library path; tst_journalexport_withoutmodule runs this");
        JournalFixture f;
        JournalFile journal(f.path(), JournalFile::Open::Create);
        fill(journal);
        const QString target = f.dir.filePath(QStringLiteral("registro.xlsx"));
        try {
            exportJournal(f.path(), {}, target);
            QFAIL("an .xlsx export without its module succeeded");
        } catch (const JournalError &error) {
            QVERIFY2(error.summary().contains(QStringLiteral("esporta in .csv")),
                     qPrintable(error.summary()));
        }
        QVERIFY(!QFile::exists(target));
        QVERIFY(exportJournal(f.path(), {}, f.dir.filePath(QStringLiteral("registro.csv"))));
    }
};

QTEST_GUILESS_MAIN(TstJournalExport)
#include "tst_journalexport.moc"
