// SPDX-License-Identifier: GPL-3.0-or-later
#include "segments.h"

namespace margino {

void DrawSegment(PictureBox &canvas, const Cell &cell, Int16 n) {
    const auto line = [&canvas](Int16 x1, Int16 y1, Int16 x2, Int16 y2) {
        canvas.Line(x1.value(), y1.value(), x2.value(), y2.value());
    };
    const Int16 x = cell.x, y = cell.y, W = cell.W, H = cell.H;
    const Int16 mx = W / 2, my = H / 2;
    switch (n.value()) {
    case 11:
        line(x + 1, y, x + mx - 1, y);
        line(x + 2, y + 1, x + mx, y + 1);
        line(x + 3, y + 2, x + mx - 1, y + 2);
        break;
    case 12:
        line(x + mx + 1, y, x + W - 1, y);
        line(x + mx, y + 1, x + W - 2, y + 1);
        line(x + mx + 1, y + 2, x + W - 3, y + 2);
        break;
    case 2:
        line(x + W - 1, y + 1, x + W - 1, y + my - 1);
        line(x + W - 2, y + 2, x + W - 2, y + my);
        line(x + W - 3, y + 3, x + W - 3, y + my - 1);
        break;
    case 3:
        line(x + W - 1, y + my + 2, x + W - 1, y + H);
        line(x + W - 2, y + my + 1, x + W - 2, y + H - 1);
        line(x + W - 3, y + my + 2, x + W - 3, y + H - 2);
        break;
    case 41:
        line(x + 3, y + H - 2, x + mx - 1, y + H - 2);
        line(x + 2, y + H - 1, x + mx, y + H - 1);
        line(x + 1, y + H, x + mx - 1, y + H);
        break;
    case 42:
        line(x + mx + 1, y + H - 2, x + W - 3, y + H - 2);
        line(x + mx, y + H - 1, x + W - 2, y + H - 1);
        line(x + mx + 1, y + H, x + W - 1, y + H);
        break;
    case 5:
        line(x, y + my + 2, x, y + H);
        line(x + 1, y + my + 1, x + 1, y + H - 1);
        line(x + 2, y + my + 2, x + 2, y + H - 2);
        break;
    case 6:
        line(x, y + 1, x, y + my - 1);
        line(x + 1, y + 2, x + 1, y + my);
        line(x + 2, y + 3, x + 2, y + my - 1);
        break;
    case 71:
        line(x + 3, y + my - 1, x + mx - 1, y + my - 1);
        line(x + 2, y + my, x + mx, y + my);
        line(x + 3, y + my + 1, x + mx - 1, y + my + 1);
        break;
    case 72:
        line(x + mx + 1, y + my - 1, x + W - 3, y + my - 1);
        line(x + mx, y + my, x + W - 2, y + my);
        line(x + mx + 1, y + my + 1, x + W - 3, y + my + 1);
        break;
    case 81:
        line(x + mx - 1, y + 3, x + mx - 1, y + my - 1);
        line(x + mx, y + 2, x + mx, y + my);
        line(x + mx + 1, y + 3, x + mx + 1, y + my - 1);
        break;
    case 82:
        line(x + mx - 1, y + my + 3, x + mx - 1, y + H - 1);
        line(x + mx, y + my + 2, x + mx, y + H);
        line(x + mx + 1, y + my + 3, x + mx + 1, y + H - 1);
        break;
    case 91:
        for (int k = 0; k <= 4; ++k)
            line(x + 3, y + 2 + k, x + mx - 3, y + my - 6 + k);
        break;
    case 92:
        for (int k = 0; k <= 4; ++k)
            line(x + mx + 3, y + my - 6 + k, x + W - 3, y + 2 + k);
        break;
    case 93:
        for (int k = 0; k <= 4; ++k)
            line(x + 3, y + H - 2 - k, x + mx - 3, y + my + 6 - k);
        break;
    case 94:
        for (int k = 0; k <= 4; ++k)
            line(x + mx + 3, y + my + 6 - k, x + W - 3, y + H - 2 - k);
        break;
    default: // not a segment: nothing to draw
        break;
    }
}

} // namespace margino
