// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyphimage.h"

namespace margino {

GlyphImage::GlyphImage(const QImage &image, QPoint origin, QRgb transparent) {
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            const QRgb colour = row[x];
            int end = x + 1;
            while (end < image.width() && row[end] == colour)
                ++end;
            if (colour != transparent)
                runs_.append({qint16(x - origin.x()), qint16(y - origin.y()), qint16(end - x),
                              colour});
            x = end;
        }
    }
}

} // namespace margino
