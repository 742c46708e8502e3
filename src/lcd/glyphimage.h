// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One LCD cell's drawing kept as coloured horizontal runs, so a panel copies it in place of
// drawing its strokes again. Which cell to keep and where to copy it is the LCD object's work.

#include <QImage>
#include <QList>

namespace margino {

class GlyphImage {
public:
    struct Run {
        qint16 dx, dy, length;
        QRgb colour;
    };

    GlyphImage() = default;
    // The pixels of `image` that are not `transparent`, relative to `origin`.
    GlyphImage(const QImage &image, QPoint origin, QRgb transparent);
    const QList<Run> &runs() const { return runs_; }

private:
    QList<Run> runs_;
};

} // namespace margino
