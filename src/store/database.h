// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings database as the program sees it: one query reads the first row by field
// name, one call runs one statement. The engine behind it lives in platform/.

#include "core/errors.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <functional>
#include <optional>

namespace margino {

// A failure of the database: the engine's error number and its description.
class DbError : public RuntimeError {
public:
    using RuntimeError::RuntimeError;
};

// The first row of a query's result; nothing else of the result is kept.
class Recordset {
public:
    Recordset() = default;
    explicit Recordset(QHash<QString, QVariant> firstRow)
        : row_(std::move(firstRow)), hasRow_(true) {}

    bool hasRow() const { return hasRow_; }
    bool hasField(const QString &field) const { return row_.contains(field); }
    // The value of a field of the first row; a null QVariant for SQL NULL, no row or no field.
    QVariant value(const QString &field) const { return row_.value(field); }
    // The value as a number; a missing row, field or value is a DbError, as a reader expects one.
    double number(const QString &field) const;

private:
    QHash<QString, QVariant> row_;
    bool hasRow_ = false;
};

class Database {
public:
    virtual ~Database() = default;
    // Runs one query and keeps the first row of its result.
    virtual Recordset OpenRecordset(QStringView sql) = 0;
    // Runs one statement; a text holding more than one statement is refused whole.
    virtual void Execute(QStringView sql) = 0;
    // Statements between BeginTrans and CommitTrans take effect together or not at all.
    // BeginTrans takes the write lock at once, so a lock held elsewhere fails it early.
    virtual void BeginTrans() = 0;
    virtual void CommitTrans() = 0;
    // Undoes everything since BeginTrans; with no transaction open it does nothing. It never
    // throws, so that it can clean up after the error being reported.
    virtual void Rollback() noexcept = 0;
    // Queries between BeginRead and EndRead see one state of the file: a save made meanwhile
    // by another program is seen entirely or not at all. EndRead never throws.
    virtual void BeginRead() = 0;
    virtual void EndRead() noexcept = 0;
    // Inside a read: a number that changes whenever the file's contents may have changed, by
    // this connection or another, so that what was read under an equal number still holds.
    // None where the engine cannot tell: then every run reads the settings again.
    virtual std::optional<quint64> contentVersion() { return std::nullopt; }
    // Calls `changed` from the event loop when another program may have changed the file, so
    // figures read from it are computed again at once. Engines that cannot tell never call.
    virtual void notifyChanges(std::function<void()> changed) { (void)changed; }
};

// One read transaction for the lifetime of the object.
class ReadTransaction {
public:
    explicit ReadTransaction(Database &db) : db_(db) { db_.BeginRead(); }
    ~ReadTransaction() { db_.EndRead(); }
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;

private:
    Database &db_;
};

} // namespace margino
