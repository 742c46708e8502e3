// SPDX-License-Identifier: GPL-3.0-or-later
#include "mclcd.h"

#include "lcd/glyphs.h"
#include "lcd/imagecanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

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
    kept_ = keptCellsFor(CellWidth.value(), CellHeight.value());
    lastImage_ = nullptr; // a new binding: nothing drawn here is known to be there
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
    // An image clears itself when its background is set; other boxes are cleared first. An
    // image still holding this object's last caption is cleared only where a cell changes.
    auto *image = dynamic_cast<ImageCanvas *>(&box);
    bool cleared = !(image && image == lastImage_ && image->drawings() == drawingsAfterLast_);
    lastImage_ = nullptr;
    const auto clear = [&] {
        if (!std::exchange(cleared, true))
            box.setBackColor(Background);
    };
    if (!image)
        box.Cls();
    if (cleared)
        box.setBackColor(Background);

    try {
        const Int16 pitch = CellWidth + 5;
        // A row holds W - 1 cells, whatever the box's width: the text's last character lands
        // in the last of them and the cells before it show unlit eights.
        const Int16 n = qint64(CellWidth.value()) - Value.size() - 1;
        // An image takes kept cells, the same pixels for far less work. A row reaching towards
        // the end of the 16-bit range is drawn stroke by stroke, so an overflow is raised
        // exactly where the drawing raises it.
        image_ = image;
        planned_.clear();
        const qint64 cells = std::max<qint64>(n.value(), 0) + Value.size();
        if (CellHeight.value() < 1 || CellHeight.value() > 1000 ||
            start.value() + (cells + 1) * pitch.value() > 30000 || std::abs(CellTop.value()) > 1000)
            image_ = nullptr;
        if (!image_)
            clear();

        for (CellIndex = 1; CellIndex <= n; CellIndex = CellIndex + 1) {
            draw(UnlitEight);
            CellLeft = CellLeft + pitch;
        }

        setColour(box, CaptionStart);
        for (const QChar c : Value) {
            if (c == u'.' || c == u',') {
                draw(PointOnEight);
                CellLeft = CellLeft + pitch;
            } else if (c == u':') {
                draw(PointMark);
                CellLeft = CellLeft + (CellWidth - 2);
            } else {
                draw(c.unicode());
                CellLeft = CellLeft + pitch;
            }
        }
        if (image_) {
            if (!stampChangedCells(cleared)) {
                clear();
                stampAll();
            }
            box.setForeColor(colour_);
            lastImage_ = image_;
            drawingsAfterLast_ = image_->drawings();
        }
    } catch (...) {
        clear(); // a failed caption leaves no old one standing
        image_ = nullptr;
        throw;
    }
    image_ = nullptr;
    // Only a complete caption puts the position back; an error leaves it where drawing stopped.
    CellLeft = start;
}

void mcLCD::draw(char32_t item) {
    if (!image_) {
        drawItem(*Canvas, {CellLeft, CellTop, CellWidth, CellHeight}, item);
        return;
    }
    // Copied when the whole caption is known, so unchanged cells can be left as they are.
    const Kept &cell = kept(item);
    planned_.push_back({&cell, QPoint(CellLeft.value(), CellTop.value())});
    colour_ = cell.after;
}

void mcLCD::drawItem(PictureBox &box, const Cell &cell, char32_t item) {
    switch (item) {
    case UnlitEight:
        drawUnlitEight(box, cell);
        break;
    case PointOnEight:
        drawUnlitEight(box, cell);
        drawPointMark(box, cell);
        break;
    case PointMark:
        drawPointMark(box, cell);
        break;
    default:
        DrawChar(box, cell, QChar(char16_t(item)));
    }
}

void mcLCD::setColour(PictureBox &box, OleColor colour) {
    colour_ = colour;
    box.setForeColor(colour);
}

void mcLCD::drawUnlitEight(PictureBox &box, const Cell &cell) {
    setColour(box, Unlit);
    for (const short segment : glyphs::basicSegments())
        DrawSegment(box, cell, segment);
}

void mcLCD::DrawChar(PictureBox &box, const Cell &cell, QChar c) {
    const glyphs::Glyph *glyph = glyphs::find(c);
    if (!glyph)
        return;
    if (glyph->drawsOwnColours)
        setColour(box, Lit);
    for (const short segment : glyph->lit)
        DrawSegment(box, cell, segment);
    if (glyph->drawsOwnColours) {
        setColour(box, Unlit);
        for (const short segment : glyph->unlit)
            DrawSegment(box, cell, segment);
    }
}

// A square of side H / 14 whose lower-right corner is the bottom of the middle column.
void mcLCD::drawPointMark(PictureBox &box, const Cell &cell) {
    setColour(box, Lit);
    const double d = double(cell.H.value()) / 14.0;
    const Int16 middle = cell.x + cell.W / 2;
    const Int16 bottom = cell.y + cell.H;
    box.Box(float(middle.value() - d), float(bottom.value()), float(middle.value()),
            float(bottom.value() - d));
}

} // namespace margino
