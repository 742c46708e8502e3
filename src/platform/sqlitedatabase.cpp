// SPDX-License-Identifier: GPL-3.0-or-later
#include "sqlitedatabase.h"

#include <cerrno>
#include <memory>
#include <sqlite3.h>
#include <utility>

namespace margino {

QString engineFailureSummary(int extendedCode, int systemErrno, QStringView message) {
    // What the system said outranks the engine's general code: a full disk may come as a
    // failed write or sync.
    if (extendedCode == SQLITE_FULL || systemErrno == ENOSPC || systemErrno == EDQUOT)
        return systemCause(ENOSPC);
    if (extendedCode == SQLITE_READONLY_DIRECTORY)
        return QStringLiteral("La cartella del file delle impostazioni è di sola lettura: non vi "
                              "si possono salvare le modifiche.");
    static const QLatin1String NoSuchTable("no such table: ");
    switch (extendedCode & 0xff) {
    case SQLITE_ERROR:
        if (message.startsWith(NoSuchTable))
            return QStringLiteral("Il file delle impostazioni non ha la tabella %1.")
                .arg(message.sliced(NoSuchTable.size()));
        return {};
    case SQLITE_CANTOPEN:
        if (systemErrno == EACCES || systemErrno == EPERM || systemErrno == EROFS)
            return QStringLiteral("Mancano i permessi per aprire il file delle impostazioni.");
        return QStringLiteral("Il file delle impostazioni non esiste o non si può aprire.");
    case SQLITE_NOTADB:
        return QStringLiteral("Il file delle impostazioni non è un database.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("Il file delle impostazioni è bloccato da un altro programma.");
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return QStringLiteral("Il file delle impostazioni è di sola lettura.");
    case SQLITE_CORRUPT:
        return QStringLiteral("Il file delle impostazioni è danneggiato.");
    case SQLITE_IOERR:
        if (const QString cause = systemCause(systemErrno); !cause.isEmpty())
            return cause;
        return QStringLiteral("Il disco non ha permesso di leggere o scrivere il file delle "
                              "impostazioni.");
    default:
        return {};
    }
}

namespace {

[[noreturn]] void raise(sqlite3 *db, int code) {
    const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
    throw DbError(code, message,
                  engineFailureSummary(db ? sqlite3_extended_errcode(db) : code,
                                       db ? sqlite3_system_errno(db) : 0, message));
}

// A prepared statement of exactly one SQL statement; anything after it but blanks and
// comments refuses the whole text, so that nothing of it runs.
class Statement {
public:
    Statement(sqlite3 *db, QStringView sql) : db_(db) {
        const auto *begin = reinterpret_cast<const char16_t *>(sql.utf16());
        const void *tail = nullptr;
        const int bytes = int(sql.size() * sizeof(char16_t));
        if (const int rc = sqlite3_prepare16_v2(db, begin, bytes, &stmt_, &tail); rc != SQLITE_OK)
            raise(db, rc);
        if (!stmt_)
            throw DbError(SQLITE_MISUSE, QStringLiteral("Il testo non contiene istruzioni SQL."));
        const auto *rest = static_cast<const char16_t *>(tail);
        sqlite3_stmt *next = nullptr;
        const int restBytes = bytes - int((rest - begin) * sizeof(char16_t));
        const int rc = sqlite3_prepare16_v2(db, rest, restBytes, &next, nullptr);
        sqlite3_finalize(next);
        if (rc != SQLITE_OK || next) {
            sqlite3_finalize(stmt_);
            throw DbError(SQLITE_MISUSE,
                          QStringLiteral("Il testo contiene più di un'istruzione SQL: "
                                         "non è stata eseguita nessuna."));
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    // SQLITE_ROW or SQLITE_DONE; any failure raises.
    int step() {
        const int rc = sqlite3_step(stmt_);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            raise(db_, rc);
        return rc;
    }
    sqlite3_stmt *handle() const { return stmt_; }
    sqlite3_stmt *release() { return std::exchange(stmt_, nullptr); }

private:
    sqlite3 *db_;
    sqlite3_stmt *stmt_ = nullptr;
};

QVariant columnValue(sqlite3_stmt *stmt, int column) {
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(double(sqlite3_column_int64(stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt, column));
    case SQLITE_TEXT:
        return QVariant(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                              sqlite3_column_bytes(stmt, column)));
    case SQLITE_NULL:
        return QVariant();
    default:
        return QVariant(QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, column)),
                                   sqlite3_column_bytes(stmt, column)));
    }
}

} // namespace

SqliteDatabase::SqliteDatabase(const QString &fileName, const QStringList &requiredTables)
    : watch_(fileName) {
    const int rc = sqlite3_open_v2(fileName.toUtf8().constData(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    try {
        if (rc != SQLITE_OK)
            raise(db_, rc);
        sqlite3_busy_timeout(db_, BusyTimeoutMs);
        // SQLite opens lazily: reading each table's columns proves the file is a database
        // with those tables and that no other process holds it locked.
        for (const QString &table : requiredTables)
            Statement(db_, QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(table)).step();
    } catch (...) {
        sqlite3_close_v2(db_);
        throw;
    }
}

SqliteDatabase::~SqliteDatabase() {
    for (sqlite3_stmt *stmt : std::as_const(queries_))
        sqlite3_finalize(stmt);
    sqlite3_close_v2(db_);
}

sqlite3_stmt *SqliteDatabase::preparedQuery(QStringView sql) {
    const QString key = sql.toString();
    if (sqlite3_stmt *stmt = queries_.value(key))
        return stmt;
    sqlite3_stmt *stmt = Statement(db_, sql).release();
    queries_.insert(key, stmt);
    return stmt;
}

Recordset SqliteDatabase::OpenRecordset(QStringView sql) {
    sqlite3_stmt *stmt = preparedQuery(sql);
    if (!sqlite3_stmt_readonly(stmt))
        ++ownWrites_;
    // Resetting ends the read at once, so the file is never left locked against writers.
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> reading(stmt, sqlite3_reset);
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE)
        return Recordset();
    if (rc != SQLITE_ROW)
        raise(db_, rc);
    QHash<QString, QVariant> row;
    const int columns = sqlite3_column_count(stmt);
    for (int c = 0; c < columns; ++c)
        row.insert(QString::fromUtf8(sqlite3_column_name(stmt, c)), columnValue(stmt, c));
    return Recordset(std::move(row));
}

void SqliteDatabase::Execute(QStringView sql) {
    Statement statement(db_, sql);
    if (!sqlite3_stmt_readonly(statement.handle()))
        ++ownWrites_;
    while (statement.step() == SQLITE_ROW) {
    }
}

void SqliteDatabase::BeginTrans() {
    // IMMEDIATE: wait out or fail on another writer now, not halfway through the statements.
    Execute(u"BEGIN IMMEDIATE");
}

void SqliteDatabase::CommitTrans() {
    ++ownWrites_;
    Execute(u"COMMIT");
}

void SqliteDatabase::Rollback() noexcept {
    // Some failures end the transaction inside the engine already; then there is nothing left.
    if (!sqlite3_get_autocommit(db_))
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void SqliteDatabase::BeginRead() {
    // DEFERRED: the first query takes the shared lock and holds it to the end, so no writer
    // can commit between the queries of one read. Prepared once: a read begins at every key.
    sqlite3_stmt *stmt = preparedQuery(u"BEGIN DEFERRED");
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    if (rc != SQLITE_DONE)
        raise(db_, rc);
}

void SqliteDatabase::EndRead() noexcept {
    if (sqlite3_get_autocommit(db_))
        return;
    try {
        sqlite3_stmt *stmt = preparedQuery(u"ROLLBACK");
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    } catch (...) {
        Rollback(); // the statement could not even be prepared
    }
}

std::optional<quint64> SqliteDatabase::contentVersion() {
    if (watch_.mayHaveChanged() || !dataVersion_) {
        dataVersion_.reset(); // a failed read below leaves nothing to trust
        sqlite3_stmt *stmt = preparedQuery(u"PRAGMA data_version");
        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt *)> reading(stmt, sqlite3_reset);
        if (const int rc = sqlite3_step(stmt); rc != SQLITE_ROW)
            raise(db_, rc);
        dataVersion_ = quint64(sqlite3_column_int64(stmt, 0));
    }
    return (*dataVersion_ << 32) | (ownWrites_ & 0xffffffffu);
}

} // namespace margino
