// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: creates a settings file from its SQL script (mgdgen script.sql out.mgd).
// The script is the single source of the schema and the shipped values.

#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <sstream>

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mgdgen script.sql out.mgd\n");
        return 2;
    }
    std::ifstream in(argv[1]);
    std::stringstream script;
    script << in.rdbuf();
    if (!in) {
        std::fprintf(stderr, "mgdgen: cannot read %s\n", argv[1]);
        return 1;
    }
    std::remove(argv[2]);
    sqlite3 *db = nullptr;
    char *error = nullptr;
    int rc = sqlite3_open(argv[2], &db);
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, script.str().c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK)
        std::fprintf(stderr, "mgdgen: %s\n", error ? error : sqlite3_errmsg(db));
    sqlite3_free(error);
    sqlite3_close(db);
    return rc == SQLITE_OK ? 0 : 1;
}
