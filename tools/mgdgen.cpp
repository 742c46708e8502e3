// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: creates the settings file (mgdgen out.mgd) from the settings rows: each table
// with the statement the program's first save uses, and its one row of shipped values.

#include "core/numbertext.h"
#include "store/statements.h"

#include <sqlite3.h>

#include <cstdio>

using namespace margino;

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mgdgen out.mgd\n");
        return 2;
    }
    const QLocale c = QLocale::c();
    BySetting<QString> shipped;
    QStringList script, tables;
    for (const SettingRow &row : SettingRows) {
        shipped[row.setting] = numberToText(row.shipped, c);
        if (!tables.contains(QLatin1String(row.table)))
            tables << QLatin1String(row.table);
    }
    for (const QString &table : tables) {
        const QByteArray name = table.toLatin1();
        script << statements::createTable(name.constData())
               << statements::insertRow(name.constData(), shipped, c);
    }
    std::remove(argv[1]);
    sqlite3 *db = nullptr;
    char *error = nullptr;
    int rc = sqlite3_open(argv[1], &db);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, (script.join(u';') + u';').toUtf8().constData(), nullptr, nullptr,
                          &error);
    if (rc != SQLITE_OK)
        std::fprintf(stderr, "mgdgen: %s\n", error ? error : sqlite3_errmsg(db));
    sqlite3_free(error);
    sqlite3_close(db);
    return rc == SQLITE_OK ? 0 : 1;
}
