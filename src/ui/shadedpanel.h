// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A frame the desktop style draws line by line, drawn as filled rectangles with the same pixels.

class QPainter;
class QStyleOptionFrame;

namespace margino {

// A sunken or raised panel of one-pixel lines (QFrame::Panel), as qDrawShadePanel draws it.
bool drawShadedPanel(QPainter &painter, const QStyleOptionFrame &frame);

} // namespace margino
