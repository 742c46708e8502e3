// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The strokes of each numbered segment of an LCD cell: bundles of parallel one-pixel lines whose
// ends step by a pixel, giving bevelled corners and pointed joints. Colours are the caller's.

#include "lcd/int16.h"
#include "lcd/picturebox.h"

namespace margino {

// A cell's top-left corner and size, in pixels.
struct Cell {
    Int16 x, y, W, H;
};

// Draws segment n of the cell in the canvas's current foreground colour, one Line call per
// stroke, every coordinate in checked 16-bit arithmetic. A number that is not one of the
// sixteen segments (11, 12, 2, 3, 41, 42, 5, 6, 71, 72, 81, 82, 91 to 94) draws nothing.
void DrawSegment(PictureBox &canvas, const Cell &cell, Int16 n);

} // namespace margino
