// SPDX-License-Identifier: GPL-3.0-or-later
#include "journalexport.h"

#include "journal/journalmodel.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <xlsxwriter.h>

namespace margino {

namespace {

constexpr int ProgressEvery = 500;

[[noreturn]] void failWrite(const QString &target, const QString &detail) {
    throw JournalError(
        JournalError::Other, err::PathFileAccess, detail,
        QStringLiteral("Il file %1 non si può scrivere.").arg(QDir::toNativeSeparators(target)));
}

// The number columns of a trade, in the order of the table's columns after the date.
QList<const QString *> numbers(const Trade &t) {
    return {&t.quantity,    &t.purchasePrice,  &t.salePrice, &t.purchaseAmount, &t.saleAmount,
            &t.commissions, &t.transactionTax, &t.gain,      &t.gainAfterTax};
}

QStringList headers() {
    QStringList titles{journalColumnTitle(JournalView::Date), QStringLiteral("Ora")};
    for (int c = JournalView::Quantity; c < JournalView::ColumnCount; ++c)
        titles << journalColumnTitle(JournalView::Column(c));
    return titles;
}

bool writeCsv(const JournalFile &journal, const JournalView &view, const QString &target,
              const ExportProgress &progress) {
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        failWrite(target, file.errorString());
    QByteArray chunk = "\xEF\xBB\xBF"; // the mark that tells a spreadsheet the text is UTF-8
    QStringList header;
    for (const QString &title : headers())
        header << csvField(title);
    chunk += header.join(u';').toUtf8() + "\r\n";
    int written = 0;
    bool stopped = false;
    journal.forEach(view, [&](const Trade &t) {
        const QDate d = t.savedAt.date();
        const QTime h = t.savedAt.time();
        QStringList row{QString::asprintf("%02d/%02d/%04d", d.day(), d.month(), d.year()),
                        QString::asprintf("%02d:%02d:%02d", h.hour(), h.minute(), h.second())};
        for (const QString *number : numbers(t))
            row << csvNumber(*number);
        row << csvField(t.note);
        chunk += row.join(u';').toUtf8() + "\r\n";
        if (++written % ProgressEvery == 0) {
            if (file.write(chunk) != chunk.size())
                failWrite(target, file.errorString());
            chunk.clear();
            stopped = progress && !progress(written);
        }
        return !stopped;
    });
    if (stopped) {
        file.cancelWriting();
        return false;
    }
    if (file.write(chunk) != chunk.size() || !file.commit())
        failWrite(target, file.errorString());
    if (progress)
        progress(written);
    return true;
}

class Workbook {
public:
    explicit Workbook(const QString &fileName) {
        lxw_workbook_options options{};
        options.use_zip64 = LXW_FALSE;
        book_ = workbook_new_opt(fileName.toUtf8().constData(), &options);
    }
    ~Workbook() {
        if (book_)
            workbook_close(book_); // only after a failure: the temporary file is removed
    }
    lxw_workbook *get() const { return book_; }
    lxw_error close() { return workbook_close(std::exchange(book_, nullptr)); }

private:
    lxw_workbook *book_ = nullptr;
};

bool writeXlsx(const JournalFile &journal, const JournalView &view, const QString &target,
               const ExportProgress &progress) {
    // Written beside the target and renamed over it, so a failure leaves the old file.
    QTemporaryFile temporary(
        QFileInfo(target).absoluteDir().filePath(QStringLiteral(".margino-export-XXXXXX.xlsx")));
    if (!temporary.open())
        failWrite(target, temporary.errorString());
    temporary.close();
    Workbook book(temporary.fileName());
    if (!book.get())
        failWrite(target, QStringLiteral("workbook_new"));
    lxw_worksheet *sheet = workbook_add_worksheet(book.get(), "Operazioni");
    lxw_format *bold = workbook_add_format(book.get());
    format_set_bold(bold);
    lxw_format *date = workbook_add_format(book.get());
    format_set_num_format(date, "dd/mm/yyyy hh:mm");
    lxw_format *euro = workbook_add_format(book.get());
    format_set_num_format(euro, "#,##0.00## [$\xE2\x82\xAC-410]");
    lxw_format *whole = workbook_add_format(book.get());
    format_set_num_format(whole, "0");
    // One "Data" cell holds date and time: the CSV's separate "Ora" column is not needed.
    int column = 0;
    for (int c = 0; c < JournalView::ColumnCount; ++c)
        worksheet_write_string(sheet, 0, lxw_col_t(column++),
                               journalColumnTitle(JournalView::Column(c)).toUtf8().constData(),
                               bold);
    worksheet_set_column(sheet, 0, 0, 16, nullptr);
    worksheet_set_column(sheet, 1, 9, 14, nullptr);
    worksheet_set_column(sheet, 10, 10, 30, nullptr);
    worksheet_freeze_panes(sheet, 1, 0);
    lxw_row_t row = 0;
    bool stopped = false;
    journal.forEach(view, [&](const Trade &t) {
        ++row;
        const QDate d = t.savedAt.date();
        const QTime h = t.savedAt.time();
        lxw_datetime when{d.year(), d.month(), d.day(), h.hour(), h.minute(), double(h.second())};
        worksheet_write_datetime(sheet, row, 0, &when, date);
        lxw_col_t col = 1;
        for (const QString *number : numbers(t)) {
            bool ok = false;
            const double value = number->toDouble(&ok); // the cell's own type is a double
            if (ok)
                worksheet_write_number(sheet, row, col, value, col == 1 ? whole : euro);
            ++col;
        }
        if (!t.note.isEmpty())
            worksheet_write_string(sheet, row, col, t.note.toUtf8().constData(), nullptr);
        if (row % ProgressEvery == 0)
            stopped = progress && !progress(int(row));
        return !stopped;
    });
    if (stopped)
        return false;
    if (const lxw_error error = book.close(); error != LXW_NO_ERROR)
        failWrite(target, QString::fromUtf8(lxw_strerror(error)));
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0)
        failWrite(target, QString::fromLocal8Bit(std::strerror(errno)));
    temporary.setAutoRemove(false);
    if (progress)
        progress(int(row));
    return true;
}

} // namespace

ExportFormat exportFormatOf(const QString &fileName) {
    return fileName.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) ? ExportFormat::Xlsx
                                                                           : ExportFormat::Csv;
}

// Quoted when it holds the separator, a quote, a line break or blanks at an end. A text that
// starts as a formula would (= + - @) gets an apostrophe first: a spreadsheet must not run it.
QString csvField(const QString &text) {
    QString field = text;
    if (!field.isEmpty() && QStringLiteral("=+-@\t\r").contains(field.front()))
        field.prepend(u'\'');
    const bool quote = field.contains(u';') || field.contains(u'"') || field.contains(u'\n') ||
                       field.contains(u'\r') || field != field.trimmed();
    if (!quote)
        return field;
    return u'"' + field.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

// A decimal comma and no grouping: "-1234.5" is written "-1234,5".
QString csvNumber(const QString &decimal) {
    QString text = decimal;
    return text.replace(u'.', u',');
}

bool exportJournal(const QString &journalFile, const JournalView &view, const QString &target,
                   const ExportProgress &progress) {
    const JournalFile journal(journalFile, JournalFile::Open::Existing);
    return exportFormatOf(target) == ExportFormat::Xlsx ? writeXlsx(journal, view, target, progress)
                                                        : writeCsv(journal, view, target, progress);
}

} // namespace margino
