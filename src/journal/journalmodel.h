// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The saved trades as a table for a view: one row per trade of the year shown, in the order
// asked, sorted and filtered by the engine. Rows are read when shown; the window is others'.

#include "journal/journalfile.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QLocale>
#include <functional>

namespace margino {

class JournalModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit JournalModel(QObject *parent = nullptr);

    // The journal shown, or none (no file yet); the model does not own it.
    void setJournal(JournalFile *journal);
    JournalFile *journal() const { return journal_; }
    // Failures of reads and edits started by a view reach this instead of an exception.
    void setErrorHandler(std::function<void(const JournalError &)> handler) {
        errorHandler_ = std::move(handler);
    }

    void setYear(int year); // 0: every year
    const JournalView &view() const { return view_; }
    // Reads the rows again, keeping the year and the order.
    void reload();

    qint64 idAt(int row) const { return ids_.value(row); }
    int rowOf(qint64 id) const { return int(ids_.indexOf(id)); }
    // The trade of a row, read once and kept while shown; null when it cannot be read.
    const Trade *tradeAt(int row) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Only the note is edited, in one transaction.
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    void sort(int column, Qt::SortOrder order) override;

    // A decimal text with a point as the locale writes it ("12.5" -> "12,5" in Italian).
    static QString localText(const QString &decimal, const QLocale &locale);

private:
    void report(const JournalError &error) const;

    JournalFile *journal_ = nullptr;
    JournalView view_;
    QList<qint64> ids_;
    mutable QHash<qint64, Trade> cache_;
    std::function<void(const JournalError &)> errorHandler_;
};

// The columns' titles, shared by the table and the exports.
QString journalColumnTitle(JournalView::Column column);

} // namespace margino
