// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/launch.h"
#include "app/startup.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    // Any argument is answered without the window system, so --help works without a display.
    if (argc > 1) {
        QCoreApplication app(argc, argv);
        return margino::answerCommandLine(app);
    }
    QApplication app(argc, argv);
    return margino::Main(app, QCoreApplication::applicationDirPath());
}
