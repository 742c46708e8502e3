// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyphimage.h"

namespace margino {

GlyphImage::GlyphImage(const QImage &image, QPoint origin, QRgb transparent, QRgb background) {
    QRect drawn;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width();) {
            const QRgb colour = row[x];
            int end = x + 1;
            while (end < image.width() && row[end] == colour)
                ++end;
            if (colour != transparent) {
                runs_.append(
                    {qint16(x - origin.x()), qint16(y - origin.y()), qint16(end - x), colour});
                drawn |= QRect(x, y, end - x, 1);
            }
            x = end;
        }
    }
    if (drawn.isEmpty())
        return;
    offset_ = drawn.topLeft() - origin;
    opaque_ = image.copy(drawn);
    for (int y = 0; y < opaque_.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(opaque_.scanLine(y));
        for (int x = 0; x < opaque_.width(); ++x)
            row[x] = row[x] == transparent ? background : row[x];
    }
}

} // namespace margino
