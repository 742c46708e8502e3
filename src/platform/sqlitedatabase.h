// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings database engine on this platform: one SQLite connection to an existing file.
// It proves the file at open time; the statements and their meaning belong to store/.

#include "platform/filechangewatch.h"
#include "store/database.h"

#include <QHash>
#include <QStringList>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace margino {

// The Italian sentence for an engine failure, from its extended result code, the system's
// error number behind it and the engine's message; empty where the cause is not a common one.
QString engineFailureSummary(int extendedCode, int systemErrno, QStringView message);

class SqliteDatabase final : public Database {
public:
    // Opens an existing file shared for reading and writing; it never creates one. The file
    // must be a database holding every table in requiredTables, else DbError.
    SqliteDatabase(const QString &fileName, const QStringList &requiredTables);
    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase &) = delete;
    SqliteDatabase &operator=(const SqliteDatabase &) = delete;

    Recordset OpenRecordset(QStringView sql) override;
    void Execute(QStringView sql) override;
    void BeginTrans() override;
    void CommitTrans() override;
    void Rollback() noexcept override;
    void BeginRead() override;
    void EndRead() noexcept override;
    std::optional<quint64> contentVersion() override;
    void notifyChanges(std::function<void()> changed) override {
        watch_.onChange(std::move(changed));
    }

    // How long a lock held by another connection is waited out before a statement fails.
    static constexpr int BusyTimeoutMs = 2000;

private:
    sqlite3_stmt *preparedQuery(QStringView sql);

    sqlite3 *db_ = nullptr;
    // Queries run at every keystroke are prepared once; each run still reads the file.
    QHash<QString, sqlite3_stmt *> queries_;
    // Statements run here that may have written: the engine's data version counts only the
    // other connections' commits.
    quint64 ownWrites_ = 0;
    // The engine's data version is read only when the file may have changed: reading it takes
    // and drops the file's lock, 16 system calls, the most costly part of a key.
    FileChangeWatch watch_;
    std::optional<quint64> dataVersion_;
};

} // namespace margino
