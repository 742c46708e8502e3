#pragma once
// The main window's pictures, drawn from the vector files in the program's resources.

#include <QIcon>
#include <QPixmap>

namespace margino {

QPixmap calculatorPicture(); // 70 x 106
QIcon windowIcon32();        // 32 x 32

} // namespace margino
