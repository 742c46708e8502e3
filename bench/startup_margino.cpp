// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own start, up to its first frame: main() with the frame watch added.
#include "app/startup.h"
#include "firstframe.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    FirstFrame watch(app);
    return margino::Main(app, QStringLiteral(MARGINO_BIN_DIR));
}
