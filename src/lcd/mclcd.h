// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One LCD panel: turns a short text into a right-aligned row of seven-segment cells drawn
// with lines on a picture box. It keeps only the cell geometry; the picture lives in the box.

#include "lcd/int16.h"
#include "lcd/picturebox.h"

#include <QString>

namespace margino {

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
    PictureBox &canvas();
    void DrawChar(QChar c);
    void drawSegment(Int16 n);
    void drawUnlitEight();
    void drawPointMark();

    Int16 CellLeft;
    Int16 CellTop;
    Int16 CellWidth;
    Int16 CellHeight;
    PictureBox *Canvas = nullptr;
    Int16 CellIndex;
};

} // namespace margino
