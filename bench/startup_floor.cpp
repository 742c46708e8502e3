// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the start-up benchmark, the same as the keystroke benchmark's: a bare field in
// a window, the least a Qt program shows that takes a number.
#include "firstframe.h"

#include <QApplication>
#include <QLineEdit>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    FirstFrame watch(app);
    QWidget window;
    QLineEdit field(&window);
    window.show();
    return app.exec();
}
