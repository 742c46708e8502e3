// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the start-up benchmark: the cheapest Qt program doing what Margino's start
// does, a window with three fields and six labels and the settings file opened and read.
#include "firstframe.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <sqlite3.h>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    FirstFrame watch(app);

    sqlite3 *db = nullptr;
    sqlite3_stmt *query = nullptr;
    if (sqlite3_open_v2(MARGINO_DATA_FILE, &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db, "SELECT * FROM System", -1, &query, nullptr) != SQLITE_OK ||
        sqlite3_step(query) != SQLITE_ROW)
        return 1;
    sqlite3_finalize(query);

    QWidget window;
    window.resize(264, 364);
    for (int i = 0; i < 3; ++i)
        (new QLineEdit(&window))->setGeometry(8, 8 + 32 * i, 120, 24);
    for (int i = 0; i < 6; ++i)
        (new QLabel(QStringLiteral("0,00"), &window))->setGeometry(140, 8 + 32 * i, 110, 24);
    window.show();
    return app.exec();
}
