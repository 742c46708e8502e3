// SPDX-License-Identifier: GPL-3.0-or-later
#include "inkedline.h"

#include <QGlyphRun>
#include <QPainter>
#include <QStaticText>
#include <QTextLayout>
#include <algorithm>
#include <array>

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
// make() checks it against the painter before any line is kept.
quint32 blend(quint32 dst, quint32 colour, int coverage) {
    if (coverage == 255)
        return colour;
    const quint32 s = byteMul(colour, coverage);
    return s + byteMul(dst, 255 - (s >> 24));
}

constexpr QRgb Ground = 0xff000000;
constexpr int Margin = 4; // glyphs may ink a few pixels outside their advance

QImage groundImage(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Ground);
    return image;
}

} // namespace

std::optional<InkedLine> InkedLine::make(const QString &text, const QFont &font, qreal left) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    const QSize size(int(left + line.naturalTextWidth()) + 2 * Margin,
                     int(line.height()) + 2 * Margin);
    const QPoint margin(Margin, Margin);
    const QPointF origin = QPointF(left, 0) + margin;

    // Each glyph alone in white on the ground: what it leaves is its coverage.
    InkedLine inked;
    QImage scratch = groundImage(size);
    QPainter painter(&scratch);
    painter.setPen(Qt::white);
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype g = 0; g < glyphs.size(); ++g) {
            QGlyphRun one = run;
            one.setGlyphIndexes({glyphs[g]});
            one.setPositions({positions[g]});
            painter.drawGlyphRun(origin, one);
            const QRect box =
                one.boundingRect().translated(origin).toAlignedRect().adjusted(-2, -2, 2, 2) &
                scratch.rect();
            for (int y = box.top(); y <= box.bottom(); ++y) {
                const auto *row = reinterpret_cast<const quint32 *>(scratch.constScanLine(y));
                for (int x = box.left(); x <= box.right(); ++x) {
                    if (row[x] == Ground)
                        continue;
                    if (x == 0 || row[x - 1] == Ground)
                        inked.runs_.push_back({qint16(x - Margin), qint16(y - Margin), 0});
                    ++inked.runs_.back().length;
                    inked.coverage_.push_back(quint8(row[x]));
                }
            }
            painter.fillRect(box, QColor::fromRgba(Ground));
        }
    }
    painter.end();

    // The kept ink must give the painter's own pixels, where glyphs overlap too, in the colours
    // at both ends of the channels' range.
    QStaticText whole(text);
    whole.setTextFormat(Qt::PlainText);
    whole.prepare(QTransform(), font);
    for (const QRgb colour : {qRgb(255, 255, 255), qRgb(50, 150, 255), qRgb(1, 2, 3)}) {
        QImage painted = groundImage(size);
        painter.begin(&painted);
        painter.setFont(font);
        painter.setPen(QColor(colour));
        painter.drawStaticText(origin, whole);
        painter.end();
        QImage kept = groundImage(size);
        inked.draw(kept, margin, colour);
        if (kept != painted)
            return std::nullopt;
    }
    return inked;
}

void InkedLine::draw(QImage &image, QPoint at, QRgb colour) const {
    std::array<quint32, 256> onGround;
    for (int c = 0; c < 256; ++c)
        onGround[c] = blend(Ground, colour, c);
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
        quint32 *row = bits + y * stride + x;
        for (int i = std::max(0, -x), end = std::min<int>(run.length, width - x); i < end; ++i)
            row[i] = row[i] == Ground ? onGround[c[i]] : blend(row[i], colour, c[i]);
    }
}

} // namespace margino
