// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real engine on a private copy of the shipped settings file, logging every write and
// transaction step in order and counting queries and failed reads; after its next query
// another program may get a turn at the file.

#include "platform/sqlitedatabase.h"
#include "support/datafile.h"

#include <functional>
#include <utility>

class SpyDatabase final : public margino::Database {
public:
    margino::Recordset OpenRecordset(QStringView sql) override {
        ++queries;
        margino::Recordset rs = counted([&] { return real.OpenRecordset(sql); });
        if (auto turn = std::exchange(meanwhile, {}))
            turn();
        return rs;
    }
    void Execute(QStringView sql) override { log << sql.toString(), real.Execute(sql); }
    void BeginTrans() override { log << "BeginTrans", real.BeginTrans(); }
    void CommitTrans() override { log << "CommitTrans", real.CommitTrans(); }
    void Rollback() noexcept override { log << "Rollback", real.Rollback(); }
    void BeginRead() override { real.BeginRead(); }
    void EndRead() noexcept override { real.EndRead(); }
    std::optional<quint64> contentVersion() override {
        const std::optional<quint64> version = counted([&] { return real.contentVersion(); });
        if (auto turn = std::exchange(meanwhile, {}))
            turn();
        return version;
    }

    void notifyChanges(std::function<void()> changed) override {
        real.notifyChanges(std::move(changed));
    }

    DataFileCopy file;
    margino::SqliteDatabase real{file.path(), {"System", "Settaggi"}};
    QStringList log;
    int queries = 0, failed = 0;
    std::function<void()> meanwhile;

private:
    template <typename Read> auto counted(Read read) -> decltype(read()) {
        try {
            return read();
        } catch (const margino::RuntimeError &) {
            ++failed;
            throw;
        }
    }
};
