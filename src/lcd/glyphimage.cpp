// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyphimage.h"

#include <algorithm>

namespace margino {

GlyphImage::GlyphImage(const QImage &image, QPoint origin, QRgb transparent, QRgb background) {
    const int width = image.width(), height = image.height();
    int left = width, top = height, right = -1, bottom = -1; // the drawn pixels' span
    for (int y = 0; y < height; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width;) {
            const QRgb colour = row[x];
            int end = x + 1;
            while (end < width && row[end] == colour)
                ++end;
            if (colour != transparent) {
                runs_.append(
                    {qint16(x - origin.x()), qint16(y - origin.y()), qint16(end - x), colour});
                left = std::min(left, x);
                right = std::max(right, end - 1);
                top = std::min(top, y);
                bottom = y;
            }
            x = end;
        }
    }
    const QRect drawn(QPoint(left, top), QPoint(right, bottom));
    if (drawn.isEmpty())
        return;
    offset_ = drawn.topLeft() - origin;
    opaque_ = image.copy(drawn);
    for (int y = 0; y < opaque_.height(); ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(opaque_.scanLine(y));
        std::replace(row, row + opaque_.width(), transparent, background);
    }
}

} // namespace margino
