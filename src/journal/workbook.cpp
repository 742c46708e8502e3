// SPDX-License-Identifier: GPL-3.0-or-later
#include "workbook.h"

#include <utility>
#include <xlsxwriter.h>

namespace margino {

namespace {

constexpr int ProgressEvery = 500;

class Workbook {
public:
    explicit Workbook(const QString &fileName) {
        lxw_workbook_options options{};
        options.use_zip64 = LXW_FALSE;
        book_ = workbook_new_opt(fileName.toUtf8().constData(), &options);
    }
    ~Workbook() {
        if (book_)
            workbook_close(book_); // only after a failure: the caller removes the file
    }
    lxw_workbook *get() const { return book_; }
    lxw_error close() { return workbook_close(std::exchange(book_, nullptr)); }

private:
    lxw_workbook *book_ = nullptr;
};

} // namespace

} // namespace margino

using namespace margino;

extern "C" Q_DECL_EXPORT WorkbookOutcome
marginoWriteWorkbook(const QString &fileName, const QStringList &titles, const TradeSource &trades,
                     const std::function<bool(int)> &progress, QString &problem) {
    Workbook book(fileName);
    if (!book.get()) {
        problem = QStringLiteral("workbook_new");
        return WorkbookOutcome::Failed;
    }
    lxw_worksheet *sheet = workbook_add_worksheet(book.get(), "Operazioni");
    lxw_format *bold = workbook_add_format(book.get());
    format_set_bold(bold);
    lxw_format *date = workbook_add_format(book.get());
    format_set_num_format(date, "dd/mm/yyyy hh:mm");
    lxw_format *euro = workbook_add_format(book.get());
    format_set_num_format(euro, "#,##0.00## [$\xE2\x82\xAC-410]");
    lxw_format *whole = workbook_add_format(book.get());
    format_set_num_format(whole, "0");
    for (int column = 0; column < titles.size(); ++column)
        worksheet_write_string(sheet, 0, lxw_col_t(column), titles[column].toUtf8().constData(),
                               bold);
    worksheet_set_column(sheet, 0, 0, 16, nullptr);
    worksheet_set_column(sheet, 1, 9, 14, nullptr);
    worksheet_set_column(sheet, 10, 10, 30, nullptr);
    worksheet_freeze_panes(sheet, 1, 0);
    lxw_row_t row = 0;
    bool stopped = false;
    trades([&](const Trade &t) {
        ++row;
        const QDate d = t.savedAt.date();
        const QTime h = t.savedAt.time();
        lxw_datetime when{d.year(), d.month(), d.day(), h.hour(), h.minute(), double(h.second())};
        worksheet_write_datetime(sheet, row, 0, &when, date);
        lxw_col_t col = 1;
        for (const QString *number : exportedNumbers(t)) {
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
        return WorkbookOutcome::Stopped;
    if (const lxw_error error = book.close(); error != LXW_NO_ERROR) {
        problem = QString::fromUtf8(lxw_strerror(error));
        return WorkbookOutcome::Failed;
    }
    return WorkbookOutcome::Written;
}
