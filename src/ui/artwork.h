// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The windows' pictures, drawn from the vector files in the program's resources at the
// screens' pixel ratio; the sizes below are logical pixels.

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace margino {

QPixmap calculatorPicture(); // 70 x 106
QIcon windowIcon32();        // 32 x 32
QPixmap aboutBanner();       // 57 x 160, the About window's maker banner

// Pixels the build stored uncompressed (a width and a height, then premultiplied ARGB32 rows),
// shown with a copy where a PNG would be decoded; null when the resource is not such pixels.
QImage storedPixels(const QString &resource);

} // namespace margino
