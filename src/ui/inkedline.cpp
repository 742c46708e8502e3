// SPDX-License-Identifier: GPL-3.0-or-later
#include "inkedline.h"

#include <QGlyphRun>
#include <QPainter>
#include <QStaticText>
#include <QTextLayout>
#include <algorithm>

namespace margino {

namespace {

// Each of a pixel's two pairs of channels times a/255, rounded as the raster painter rounds.
quint32 byteMul(quint32 x, quint32 a) {
    quint32 t = (x & 0xff00ff) * a;
    t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return x | t;
}

// An opaque colour over dst at a glyph's coverage: the raster painter's blend of a glyph pixel.
// Every user checks it against the painter before it trusts it.
quint32 blend(quint32 dst, quint32 colour, int coverage) {
    if (coverage == 255)
        return colour;
    const quint32 s = byteMul(colour, coverage);
    return s + byteMul(dst, 255 - (s >> 24));
}

constexpr QRgb Black = 0xff000000;
constexpr int Margin = 4; // glyphs may ink a few pixels outside their bounding box

} // namespace

InkColour::InkColour(QRgb colour, QRgb ground) : colour_(colour), ground_(ground) {
    for (int c = 0; c < 256; ++c)
        onGround_[std::size_t(c)] = blend(ground, colour, c);
}

// As the painter takes a position: in 64ths of a pixel, cut (not rounded) from the real.
QPoint GlyphInk::whole(QPointF position) {
    return {int(position.x() * 64) >> 6, int(position.y() * 64) >> 6};
}

QPointF GlyphInk::fraction(QPointF position) {
    return QPointF(int(position.x() * 64) & 63, int(position.y() * 64) & 63) / 64;
}

GlyphInk::GlyphInk(const QRawFont &face, quint32 index, QPointF fraction) {
    // The glyph alone in white on black: what it leaves is its coverage.
    QGlyphRun glyph;
    glyph.setRawFont(face);
    glyph.setGlyphIndexes({index});
    glyph.setPositions({fraction});
    const QRect area =
        glyph.boundingRect().toAlignedRect().adjusted(-Margin, -Margin, Margin, Margin);
    QImage scratch(area.size(), QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Black);
    {
        QPainter painter(&scratch);
        painter.setPen(Qt::white);
        painter.drawGlyphRun(-area.topLeft(), glyph);
    }
    for (int y = 0; y < scratch.height(); ++y) {
        const auto *row = reinterpret_cast<const quint32 *>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if (row[x] == Black)
                continue;
            if (x == 0 || row[x - 1] == Black)
                runs_.push_back({qint16(x + area.left()), qint16(y + area.top()), 0});
            ++runs_.back().length;
            coverage_.push_back(quint8(row[x]));
        }
    }
}

void GlyphInk::draw(QImage &image, QPoint at, const InkColour &colour) const {
    const int width = image.width(), height = image.height();
    const qsizetype stride = image.bytesPerLine() / 4;
    auto *bits = reinterpret_cast<quint32 *>(image.bits());
    const quint8 *coverage = coverage_.data();
    for (const Run &run : runs_) {
        const quint8 *c = coverage;
        coverage += run.length;
        const int x = at.x() + run.x, y = at.y() + run.y;
        if (y < 0 || y >= height)
            continue;
        const int first = std::max(0, -x), end = std::min<int>(run.length, width - x);
        if (first >= end)
            continue;
        quint32 *pixel = bits + y * stride + x + first;
        for (int i = first; i < end; ++i, ++pixel)
            *pixel = *pixel == colour.ground() ? colour.onGround(c[i])
                                               : blend(*pixel, colour.colour(), c[i]);
    }
}

std::optional<InkedLine> InkedLine::make(const QString &text, const QFont &font, qreal left) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();

    InkedLine inked;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype g = 0; g < glyphs.size(); ++g) {
            const QPointF at = positions[g] + QPointF(left, 0);
            inked.glyphs_.emplace_back(GlyphInk(run.rawFont(), glyphs[g], GlyphInk::fraction(at)),
                                       GlyphInk::whole(at));
        }
    }

    // The kept ink must give the painter's own pixels, where glyphs overlap too, in the colours
    // at both ends of the channels' range.
    const QSize size(int(left + line.naturalTextWidth()) + 2 * Margin,
                     int(line.height()) + 2 * Margin);
    const QPoint margin(Margin, Margin);
    QStaticText whole(text);
    whole.setTextFormat(Qt::PlainText);
    whole.prepare(QTransform(), font);
    for (const QRgb colour : {qRgb(255, 255, 255), qRgb(50, 150, 255), qRgb(1, 2, 3)}) {
        // Opaque, as a window is: text on it may be drawn otherwise (subpixel) than on the
        // scratch image, and then it is not kept.
        QImage painted(size, QImage::Format_RGB32);
        painted.fill(Black);
        {
            QPainter painter(&painted);
            painter.setFont(font);
            painter.setPen(QColor(colour));
            painter.drawStaticText(QPointF(left, 0) + margin, whole);
        }
        QImage kept(size, QImage::Format_RGB32);
        kept.fill(Black);
        inked.draw(kept, margin, InkColour(colour, Black));
        if (kept != painted)
            return std::nullopt;
    }
    return inked;
}

void InkedLine::draw(QImage &image, QPoint at, const InkColour &colour) const {
    for (const auto &[glyph, origin] : glyphs_)
        glyph.draw(image, at + origin, colour);
}

} // namespace margino
