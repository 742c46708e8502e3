// SPDX-License-Identifier: GPL-3.0-or-later
#include "journalfile.h"

#include "journal/schema.h"
#include "journal/tradecolumns.h"

#include <QDir>
#include <QFileInfo>
#include <sys/stat.h>

namespace margino {

namespace {

void exec(sqlite3 *db, const char *sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        raiseJournalError(db, sqlite3_extended_errcode(db));
}

[[noreturn]] void raise(JournalError::Kind kind, const QString &summary, const QString &detail) {
    throw JournalError(kind, SQLITE_ERROR, detail, summary);
}

} // namespace

JournalTransaction::JournalTransaction(sqlite3 *db) : db_(db) {
    exec(db_, "BEGIN IMMEDIATE");
}

JournalTransaction::~JournalTransaction() {
    if (open_)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void JournalTransaction::commit() {
    exec(db_, "COMMIT");
    open_ = false;
}

JournalFile::JournalFile(const QString &fileName, Open mode) : fileName_(fileName) {
    const QFileInfo info(fileName);
    if (mode != Open::Create && !info.exists())
        raise(JournalError::Missing, QStringLiteral("Nessuna operazione è ancora stata salvata."),
              QDir::toNativeSeparators(fileName));
    if (mode == Open::Create && !QDir().mkpath(info.absolutePath()))
        raise(JournalError::ReadOnly,
              QStringLiteral("La cartella del registro delle operazioni non si può creare."),
              QDir::toNativeSeparators(info.absolutePath()));
    const int flags = mode == Open::ReadOnly   ? SQLITE_OPEN_READONLY
                      : mode == Open::Existing ? SQLITE_OPEN_READWRITE
                                               : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc =
        sqlite3_open_v2(fileName.toUtf8().constData(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr);
    try {
        if (rc != SQLITE_OK)
            raiseJournalError(db_, sqlite3_extended_errcode(db_));
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, BusyTimeoutMs);
        if (mode != Open::ReadOnly) {
            // The log lets readers go on while one copy writes; a commit survives the process.
            exec(db_, "PRAGMA journal_mode = WAL");
            exec(db_, "PRAGMA synchronous = FULL");
        }
        prepareSchema();
        struct stat file {};
        if (::stat(QFile::encodeName(fileName).constData(), &file) == 0) {
            device_ = file.st_dev;
            inode_ = file.st_ino;
        }
    } catch (...) {
        sqlite3_close_v2(db_);
        throw;
    }
}

JournalFile::~JournalFile() {
    sqlite3_close_v2(db_);
}

bool JournalFile::stillAtItsName() const {
    struct stat file {};
    return ::stat(QFile::encodeName(fileName_).constData(), &file) == 0 && file.st_dev == device_ &&
           file.st_ino == inode_;
}

void JournalFile::prepareSchema() {
    const auto version = [this] {
        Statement s(db_, "PRAGMA user_version");
        return s.next() ? int(s.integer(0)) : 0;
    };
    const auto tables = [this] {
        Statement s(db_, "SELECT count(*) FROM sqlite_schema");
        return s.next() ? s.integer(0) : 0;
    };
    int found = version();
    if (found > SchemaVersion)
        raise(JournalError::Newer,
              QStringLiteral("Il registro delle operazioni è stato scritto da una versione più "
                             "recente di Margino."),
              QStringLiteral("Versione %1").arg(found));
    if (found < SchemaVersion) {
        JournalTransaction transaction(db_);
        found = version(); // another copy may have brought it up meanwhile
        // A file with tables but no version is someone else's database: never written to.
        if (found == 0 && tables() > 0)
            raise(JournalError::Damaged,
                  QStringLiteral("Il file non è un registro delle operazioni."),
                  QDir::toNativeSeparators(fileName_));
        for (int step = found; step < SchemaVersion; ++step)
            exec(db_, schema::Steps[step]);
        transaction.commit();
    }
    // Proves the table is there and readable.
    Statement(db_, "SELECT id FROM Operazioni LIMIT 1").run();
}

qint64 JournalFile::save(const Trade &trade) {
    JournalTransaction transaction(db_);
    Statement insert(db_, insertSql());
    bindTrade(insert, trade);
    insert.bindNull(1).run();
    const qint64 id = sqlite3_last_insert_rowid(db_);
    transaction.commit();
    return id;
}

QList<Trade> JournalFile::remove(const QList<qint64> &ids) {
    QList<Trade> removed;
    JournalTransaction transaction(db_);
    Statement select(db_,
                     "SELECT " + QByteArray(schema::Columns) + " FROM Operazioni WHERE id = ?1");
    Statement erase(db_, "DELETE FROM Operazioni WHERE id = ?1");
    for (const qint64 id : ids) {
        select.reset();
        if (select.bind(1, id).next())
            removed << readTrade(select);
        select.reset();
        erase.reset();
        erase.bind(1, id).run();
    }
    transaction.commit();
    return removed;
}

void JournalFile::restore(const QList<Trade> &trades) {
    JournalTransaction transaction(db_);
    Statement insert(db_, insertSql());
    for (const Trade &trade : trades) {
        insert.reset();
        bindTrade(insert, trade);
        insert.bind(1, trade.id).run();
    }
    transaction.commit();
}

void JournalFile::setNote(qint64 id, const QString &note) {
    JournalTransaction transaction(db_);
    Statement(db_, "UPDATE Operazioni SET note = ?2 WHERE id = ?1").bind(1, id).bind(2, note).run();
    transaction.commit();
}

std::optional<Trade> JournalFile::trade(qint64 id) const {
    Statement s(db_, "SELECT " + QByteArray(schema::Columns) + " FROM Operazioni WHERE id = ?1");
    if (!s.bind(1, id).next())
        return std::nullopt;
    return readTrade(s);
}

QList<int> JournalFile::years() const {
    QList<int> years;
    Statement s(db_, "SELECT DISTINCT year FROM Operazioni ORDER BY year DESC");
    while (s.next())
        years << int(s.integer(0));
    return years;
}

QList<qint64> JournalFile::ids(const JournalView &view) const {
    QList<qint64> ids;
    Statement s(db_, selectSql("id", view));
    if (view.year)
        s.bind(1, qint64(view.year));
    while (s.next())
        ids << s.integer(0);
    return ids;
}

YearTotals JournalFile::totals(int year) const {
    // Open trades have no gain_cents: the sums skip them, as SQL sums skip NULL.
    Statement s(db_, QByteArray("SELECT"
                                " sum(CASE WHEN gain_cents > 0 THEN gain_cents ELSE 0 END),"
                                " sum(CASE WHEN gain_cents < 0 THEN gain_cents ELSE 0 END),"
                                " sum(commissions_cents + tax_cents),"
                                " sum(gain_cents - after_tax_cents),"
                                " count(gain_cents), count(*) - count(gain_cents)"
                                " FROM Operazioni") +
                         (year ? " WHERE year = ?1" : ""));
    if (year)
        s.bind(1, qint64(year));
    s.next();
    YearTotals t;
    t.gains = s.integer(0);
    t.losses = s.integer(1);
    t.net = t.gains + t.losses;
    t.costs = s.integer(2);
    t.tax = s.integer(3);
    t.closed = int(s.integer(4));
    t.open = int(s.integer(5));
    return t;
}

void JournalFile::forEach(const JournalView &view,
                          const std::function<bool(const Trade &)> &visit) const {
    exec(db_, "BEGIN");
    try {
        Statement s(db_, selectSql(schema::Columns, view));
        if (view.year)
            s.bind(1, qint64(view.year));
        while (s.next() && visit(readTrade(s))) {
        }
    } catch (...) {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    exec(db_, "COMMIT");
}

QString JournalFile::setAside(const QString &fileName) {
    const QFileInfo info(fileName);
    const QString stem = info.dir().filePath(
        info.completeBaseName() + QStringLiteral("-danneggiato-") +
        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const QString suffix = QStringLiteral(".") + info.suffix();
    QString target = stem + suffix;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = stem + QStringLiteral("-%1").arg(n) + suffix;
    if (!QFile::rename(fileName, target))
        raise(JournalError::ReadOnly,
              QStringLiteral("Il registro danneggiato non si può rinominare."),
              QDir::toNativeSeparators(fileName));
    // The log belongs to the damaged file and goes with it; the index is rebuilt from it.
    QFile::rename(fileName + QStringLiteral("-wal"), target + QStringLiteral("-wal"));
    QFile::remove(fileName + QStringLiteral("-shm"));
    return target;
}

} // namespace margino
