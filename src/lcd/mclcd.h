// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One LCD panel: turns a short text into a right-aligned row of seven-segment cells drawn
// with lines on a picture box, or copied from cells drawn once when the box is an image. It
// keeps the cell geometry and those cells; the picture lives in the box.

#include "lcd/glyphimage.h"
#include "lcd/int16.h"
#include "lcd/picturebox.h"
#include "lcd/segments.h"

#include <QString>
#include <array>
#include <memory>
#include <unordered_map>
#include <vector>

namespace margino {

class ImageCanvas;

class mcLCD {
public:
    // The panel's fixed colours (00BBGGRR).
    static constexpr OleColor Background = 0x003200;
    static constexpr OleColor Unlit = 0x005500;
    static constexpr OleColor Lit = 0x00FF00;
    static constexpr OleColor CaptionStart = 0x80FF80;

    // Binds the object to a box and derives the cell size from the box's height; draws nothing.
    void NewLCD(PictureBox &PBox);
    // Clears the box and draws Value anew, right-aligned; errors reach the caller unhandled.
    void setCaption(const QString &Value);
    void setForeColor(OleColor Color);
    void setBackColor(OleColor Color);
    // How many cells a row holds: one fewer than a cell is pixels wide (9 on a 21-pixel panel),
    // as the panels were first laid out. The box's width is never consulted.
    int cellCount() const { return CellWidth.value() - 1; }

private:
    // What one step of a caption draws in a cell: a character, or one of these.
    enum Item : char32_t { UnlitEight = 0x110000, PointOnEight, PointMark };
    // A kept cell and the colour the box holds after drawing it.
    struct Kept {
        GlyphImage image;
        OleColor after;
    };

    PictureBox &canvas();
    void draw(char32_t item);
    const Kept &kept(char32_t item);
    const Kept &keptSlow(char32_t item);
    // The strokes of one item in `cell`, starting in colour_ and leaving it as drawn last.
    void drawItem(PictureBox &box, const Cell &cell, char32_t item);
    void DrawChar(PictureBox &box, const Cell &cell, QChar c);
    void drawUnlitEight(PictureBox &box, const Cell &cell);
    void drawPointMark(PictureBox &box, const Cell &cell);
    void setColour(PictureBox &box, OleColor colour);

    Int16 CellLeft;
    Int16 CellTop;
    Int16 CellWidth;
    Int16 CellHeight;
    PictureBox *Canvas = nullptr;
    Int16 CellIndex;
    OleColor colour_ = CaptionStart;
    // Set while a caption is copied from kept cells rather than drawn stroke by stroke.
    ImageCanvas *image_ = nullptr;
    // A caption's cells as copied to an image: the kept drawing and where its origin went.
    struct Planned {
        const Kept *kept;
        QPoint at;
    };
    std::vector<Planned> planned_, shown_; // the caption being set; the one on lastImage_
    ImageCanvas *lastImage_ = nullptr;     // the image holding shown_, unless drawn on since
    quint64 drawingsAfterLast_ = 0;
    void stampAll();
    bool stampChangedCells(bool cleared);
    // By item, starting colour and position parity, for one cell size; the common ones
    // (ASCII, the three colours a caption uses) also found by index. Panels of one size share
    // them, so a window's panels draw each cell once between them.
    struct KeptCells {
        std::unordered_map<quint64, Kept> byKey;
        std::array<const Kept *, (128 + 3) * 3 * 4> quick{};
    };
    static std::shared_ptr<KeptCells> keptCellsFor(int width, int height);
    std::shared_ptr<KeptCells> kept_;
};

} // namespace margino
