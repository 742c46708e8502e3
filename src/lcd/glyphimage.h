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
    // The pixels of `image` that are not `transparent`, relative to `origin`; in the
    // rectangle they span, a transparent pixel stands for `background`.
    GlyphImage(const QImage &image, QPoint origin, QRgb transparent, QRgb background);
    // The drawn pixels, to copy over other drawing.
    const QList<Run> &runs() const { return runs_; }
    // The rectangle the drawn pixels span, relative to the origin, on the background: to copy
    // where nothing else is drawn.
    QRect bounds() const { return {offset_, opaque_.size()}; }
    const QImage &opaque() const { return opaque_; }

private:
    QList<Run> runs_;
    QPoint offset_;
    QImage opaque_;
};

} // namespace margino
