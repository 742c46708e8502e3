// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text kept as the ink its glyphs leave, glyph by glyph in drawing order, so that drawing it
// again in another colour or place costs one blend per inked pixel instead of a glyph-cache
// lookup and a blend per glyph box. Which text to draw, where and when is the caller's business.

#include <QFont>
#include <QImage>
#include <QRawFont>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace margino {

// A text colour over a ground colour, both opaque, with the blend of every coverage over the
// ground worked out once for all the glyphs drawn in it.
class InkColour {
public:
    InkColour(QRgb colour, QRgb ground);
    QRgb colour() const { return colour_; }
    QRgb ground() const { return ground_; }
    quint32 onGround(int coverage) const { return onGround_[std::size_t(coverage)]; }

private:
    QRgb colour_, ground_;
    std::array<quint32, 256> onGround_;
};

// One glyph's ink: the coverage a painter leaves of it where its origin falls at a fraction of a
// pixel, relative to the whole pixel.
class GlyphInk {
public:
    // Glyph `index` of `face` with its origin at `fraction` of a pixel (as fraction() gives it);
    // the whole pixels are where it is drawn.
    GlyphInk(const QRawFont &face, quint32 index, QPointF fraction);
    // Where the painter puts the origin of a glyph at `position`: its whole pixels, and the
    // fraction (in 64ths, as the painter cuts it) that selects its ink.
    static QPoint whole(QPointF position);
    static QPointF fraction(QPointF position);

    // Blends the ink onto an opaque 32-bit image with its origin at `at`; what falls outside
    // the image is left out.
    void draw(QImage &image, QPoint at, const InkColour &colour) const;

private:
    struct Run { // inked pixels side by side in a row; their coverage follows the last run's
        qint16 x, y, length;
    };
    std::vector<Run> runs_;
    std::vector<quint8> coverage_;
};

class InkedLine {
public:
    // The line laid out in font with its top left at (left, 0), as a painter would draw it
    // there onto black. Nothing when the painter draws text otherwise (subpixel text, another
    // blend): the caller then draws the text itself.
    static std::optional<InkedLine> make(const QString &text, const QFont &font, qreal left);

    // Blends the line in a colour over black onto an opaque 32-bit image, moved by at; what
    // falls outside the image is left out.
    void draw(QImage &image, QPoint at, const InkColour &colour) const;

private:
    std::vector<std::pair<GlyphInk, QPoint>> glyphs_;
};

} // namespace margino
