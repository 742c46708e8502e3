// SPDX-License-Identifier: GPL-3.0-or-later
#include "mclcd.h"

#include "lcd/glyphs.h"
#include "lcd/segments.h"

#include <cmath>

namespace margino {

PictureBox &mcLCD::canvas() {
    if (!Canvas)
        throw RuntimeError(err::ObjectNotSet,
                           QStringLiteral("Variabile oggetto o variabile del blocco With non "
                                          "impostata"));
    return *Canvas;
}

void mcLCD::NewLCD(PictureBox &PBox) {
    Canvas = &PBox;
    PBox.setPixelScale();
    PBox.setAutoRedraw(true);
    CellLeft = 2;
    CellTop = 2;
    // The height is a single-precision value; the conversion rounds halves to even.
    const float height = PBox.ScaleHeight() - 6.0f;
    if (!(height >= -32768.5f && height <= 32767.5f))
        raiseOverflow();
    CellHeight = qint64(std::nearbyint(height));
    CellWidth = CellHeight / 2 + 3;
}

void mcLCD::setForeColor(OleColor Color) {
    canvas().setForeColor(Color);
}

void mcLCD::setBackColor(OleColor Color) {
    canvas().setBackColor(Color);
}

void mcLCD::setCaption(const QString &Value) {
    PictureBox &box = canvas();
    const Int16 start = CellLeft;
    box.Cls();
    box.setBackColor(Background);

    const Int16 pitch = CellWidth + 5;
    // A row holds W - 1 cells, whatever the box's width: the text's last character lands in
    // the last of them and the cells before it show unlit eights.
    const Int16 n = qint64(CellWidth.value()) - Value.size() - 1;
    for (CellIndex = 1; CellIndex <= n; CellIndex = CellIndex + 1) {
        drawUnlitEight();
        CellLeft = CellLeft + pitch;
    }

    box.setForeColor(CaptionStart);
    for (const QChar c : Value) {
        if (c == u'.' || c == u',') {
            drawUnlitEight();
            drawPointMark();
            CellLeft = CellLeft + pitch;
        } else if (c == u':') {
            drawPointMark();
            CellLeft = CellLeft + (CellWidth - 2);
        } else {
            DrawChar(c);
            CellLeft = CellLeft + pitch;
        }
    }
    // Only a complete caption puts the position back; an error leaves it where drawing stopped.
    CellLeft = start;
}

void mcLCD::drawUnlitEight() {
    Canvas->setForeColor(Unlit);
    for (const short segment : glyphs::basicSegments())
        drawSegment(segment);
}

void mcLCD::DrawChar(QChar c) {
    const glyphs::Glyph *glyph = glyphs::find(c);
    if (!glyph)
        return;
    if (glyph->drawsOwnColours)
        Canvas->setForeColor(Lit);
    for (const short segment : glyph->lit)
        drawSegment(segment);
    if (glyph->drawsOwnColours) {
        Canvas->setForeColor(Unlit);
        for (const short segment : glyph->unlit)
            drawSegment(segment);
    }
}

// A square of side H / 14 whose lower-right corner is the bottom of the middle column.
void mcLCD::drawPointMark() {
    Canvas->setForeColor(Lit);
    const double d = double(CellHeight.value()) / 14.0;
    const Int16 middle = CellLeft + CellWidth / 2;
    const Int16 bottom = CellTop + CellHeight;
    Canvas->Box(float(middle.value() - d), float(bottom.value()), float(middle.value()),
                float(bottom.value() - d));
}

void mcLCD::drawSegment(Int16 n) {
    DrawSegment(*Canvas, {CellLeft, CellTop, CellWidth, CellHeight}, n);
}

} // namespace margino
