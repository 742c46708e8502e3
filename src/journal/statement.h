// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One prepared SQLite statement of the journal, and its engine errors as JournalError with an
// Italian summary; the statements themselves are the journal file's.

#include "journal/journalfile.h"

#include <QString>
#include <sqlite3.h>

namespace margino {

[[noreturn]] void raiseJournalError(sqlite3 *db, int code);

class Statement {
public:
    Statement(sqlite3 *db, const char *sql);
    Statement(sqlite3 *db, const QByteArray &sql) : Statement(db, sql.constData()) {}
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    Statement &bind(int index, const QString &text);
    Statement &bind(int index, qint64 value);
    Statement &bindNull(int index);
    // True while a row is there; false once done. A failure raises.
    bool next();
    void run() {
        while (next()) {
        }
    }
    QString text(int column) const;
    qint64 integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    void reset() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }

private:
    sqlite3 *db_;
    sqlite3_stmt *stmt_ = nullptr;
};

} // namespace margino
