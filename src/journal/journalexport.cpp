// SPDX-License-Identifier: GPL-3.0-or-later
#include "journalexport.h"

#include "core/modules.h"
#include "journal/journalmodel.h"
#include "journal/workbook.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace margino {

namespace {

constexpr int ProgressEvery = 500;

[[noreturn]] void failWrite(const QString &target, const QString &detail) {
    throw JournalError(
        JournalError::Other, err::PathFileAccess, detail,
        QStringLiteral("Il file %1 non si può scrivere.").arg(QDir::toNativeSeparators(target)));
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
        for (const QString *number : exportedNumbers(t))
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

bool writeXlsx(const JournalFile &journal, const JournalView &view, const QString &target,
               const ExportProgress &progress) {
    // Looked for once, by whichever export thread comes first.
    struct Module {
        MarginoWriteWorkbook *write = nullptr;
        QString problem;
    };
    static const Module module = [] {
        Module found;
        found.write = reinterpret_cast<MarginoWriteWorkbook *>(moduleEntry(
            QStringLiteral("libmargino_xlsx.so"), "marginoWriteWorkbook", found.problem));
        return found;
    }();
    if (!module.write)
        throw JournalError(JournalError::Other, err::FileNotFound, module.problem,
                           QStringLiteral("Il modulo che scrive i file .xlsx non si trova: "
                                          "esporta in .csv o reinstalla Margino."));
    // Written beside the target and renamed over it, so a failure leaves the old file.
    QTemporaryFile temporary(
        QFileInfo(target).absoluteDir().filePath(QStringLiteral(".margino-export-XXXXXX.xlsx")));
    if (!temporary.open())
        failWrite(target, temporary.errorString());
    temporary.close();
    // One "Data" cell holds date and time: the CSV's separate "Ora" column is not needed.
    QStringList titles;
    for (int c = 0; c < JournalView::ColumnCount; ++c)
        titles << journalColumnTitle(JournalView::Column(c));
    int written = 0;
    const TradeSource trades = [&](const std::function<bool(const Trade &)> &row) {
        journal.forEach(view, [&](const Trade &t) {
            ++written;
            return row(t);
        });
    };
    QString problem;
    switch (module.write(temporary.fileName(), titles, trades, progress, problem)) {
    case WorkbookOutcome::Stopped:
        return false;
    case WorkbookOutcome::Failed:
        failWrite(target, problem);
    case WorkbookOutcome::Written:
        break;
    }
    if (std::rename(QFile::encodeName(temporary.fileName()).constData(),
                    QFile::encodeName(target).constData()) != 0)
        failWrite(target, QString::fromLocal8Bit(std::strerror(errno)));
    temporary.setAutoRemove(false);
    if (progress)
        progress(written);
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
