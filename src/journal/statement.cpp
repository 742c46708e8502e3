// SPDX-License-Identifier: GPL-3.0-or-later
#include "statement.h"

namespace margino {

namespace {

JournalError::Kind kindOf(int code) {
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return JournalError::Busy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
    case SQLITE_AUTH:
        return JournalError::ReadOnly;
    case SQLITE_FULL:
        return JournalError::Full;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return JournalError::Damaged;
    default:
        return JournalError::Other;
    }
}

QString summaryOf(JournalError::Kind kind) {
    switch (kind) {
    case JournalError::Busy:
        return QStringLiteral("Il registro delle operazioni è bloccato da un altro programma: "
                              "riprova tra poco.");
    case JournalError::ReadOnly:
        return QStringLiteral("Il registro delle operazioni non si può aprire in scrittura: il "
                              "file o la sua cartella sono di sola lettura.");
    case JournalError::Full:
        return QStringLiteral("Il disco è pieno: il registro delle operazioni non è cambiato.");
    case JournalError::Damaged:
        return QStringLiteral("Il registro delle operazioni è danneggiato.");
    default:
        return QStringLiteral("Il disco non ha permesso di leggere o scrivere il registro delle "
                              "operazioni.");
    }
}

} // namespace

void raiseJournalError(sqlite3 *db, int code) {
    const JournalError::Kind kind = kindOf(code);
    // The extended code says more than the connection's last one once a statement has reset.
    const QString description = QString::fromUtf8(
        db && sqlite3_extended_errcode(db) == code ? sqlite3_errmsg(db) : sqlite3_errstr(code));
    throw JournalError(kind, code, description, summaryOf(kind));
}

Statement::Statement(sqlite3 *db, const char *sql) : db_(db) {
    if (const int rc = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr); rc != SQLITE_OK)
        raiseJournalError(db, sqlite3_extended_errcode(db));
}

Statement &Statement::bind(int index, const QString &text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
    return *this;
}

Statement &Statement::bind(int index, qint64 value) {
    sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement &Statement::bindNull(int index) {
    sqlite3_bind_null(stmt_, index);
    return *this;
}

bool Statement::next() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    const int code = sqlite3_extended_errcode(db_);
    sqlite3_reset(stmt_);
    raiseJournalError(db_, code);
}

QString Statement::text(int column) const {
    return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column)),
                             sqlite3_column_bytes(stmt_, column));
}

} // namespace margino
