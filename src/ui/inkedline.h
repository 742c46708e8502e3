// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A line of text kept as the ink each glyph leaves, glyph by glyph in drawing order, so that
// drawing it again in another colour costs one blend per inked pixel instead of a glyph-cache
// lookup and a blend per glyph box. Where and when to draw is the caller's business.

#include <QFont>
#include <QImage>
#include <QString>
#include <optional>
#include <vector>

namespace margino {

class InkedLine {
public:
    // The line laid out in font with its top left at (left, 0), as a painter would draw it there
    // onto an opaque ground. Nothing when the painter blends text otherwise (subpixel text,
    // another blend): the caller then draws the text itself.
    static std::optional<InkedLine> make(const QString &text, const QFont &font, qreal left);

    // Blends the line in colour onto an opaque 32-bit image, moved by at; what falls outside
    // the image is left out.
    void draw(QImage &image, QPoint at, QRgb colour) const;

private:
    // Inked pixels side by side in a row of one glyph; their coverage follows the previous run's.
    struct Run {
        qint16 x, y, length;
    };
    std::vector<Run> runs_; // in the painter's order: glyph by glyph, row by row
    std::vector<quint8> coverage_;
};

} // namespace margino
