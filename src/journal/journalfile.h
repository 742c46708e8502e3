// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The journal of trades: its own SQLite file, one connection per object, one transaction per
// save, delete or edit. Where the file lives and what a window shows of it are others' work.

#include "core/errors.h"
#include "journal/trade.h"

#include <QList>
#include <functional>
#include <memory>

struct sqlite3;

namespace margino {

// A failure of the journal with an Italian summary; kind tells the window what it may offer.
class JournalError : public RuntimeError {
public:
    enum Kind { Other, Busy, ReadOnly, Full, Damaged, Newer, Missing };
    JournalError(Kind kind, int number, const QString &description, const QString &summary)
        : RuntimeError(number, description, summary), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

class JournalFile {
public:
    enum class Open {
        Create,   // makes the folder and the file when missing (the first save)
        Existing, // a missing file is JournalError::Missing
        ReadOnly  // an existing file, never written (an export)
    };
    // The schema version this program writes; older files are brought up to it at open.
    static constexpr int SchemaVersion = 2;
    // How long a lock held by another connection is waited out before a statement fails.
    static constexpr int BusyTimeoutMs = 5000;

    JournalFile(const QString &fileName, Open mode);
    ~JournalFile();
    JournalFile(const JournalFile &) = delete;
    JournalFile &operator=(const JournalFile &) = delete;

    QString fileName() const { return fileName_; }
    // False once the name no longer leads to the file this connection opened (set aside,
    // replaced or removed by another copy): the connection must not write on.
    bool stillAtItsName() const;

    // Adds the trade whole or not at all; returns its id.
    qint64 save(const Trade &trade);
    // Deletes the trades in one transaction and returns them as they were, for restore.
    QList<Trade> remove(const QList<qint64> &ids);
    // Puts deleted trades back under their own ids.
    void restore(const QList<Trade> &trades);
    void setNote(qint64 id, const QString &note);

    std::optional<Trade> trade(qint64 id) const;
    // The years holding a trade, newest first.
    QList<int> years() const;
    // The ids of the trades the view shows, in its order.
    QList<qint64> ids(const JournalView &view) const;
    YearTotals totals(int year) const;
    // Each trade of the view in its order, read in one transaction; stops when visit says so.
    void forEach(const JournalView &view, const std::function<bool(const Trade &)> &visit) const;

    // Renames a damaged file (and its write-ahead log) out of the way, to a free name beside it
    // ("Registro-danneggiato-20261207-0430.sqlite"); returns that name.
    static QString setAside(const QString &fileName);

    sqlite3 *handle() const { return db_; }

private:
    void prepareSchema();

    QString fileName_;
    sqlite3 *db_ = nullptr;
    quint64 device_ = 0, inode_ = 0;
};

// Starts a write transaction that takes the lock at once, commits when commit() is called and
// rolls back otherwise.
class JournalTransaction {
public:
    explicit JournalTransaction(sqlite3 *db);
    ~JournalTransaction();
    void commit();

private:
    sqlite3 *db_;
    bool open_ = true;
};

} // namespace margino
