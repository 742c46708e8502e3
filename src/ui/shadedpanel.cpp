// SPDX-License-Identifier: GPL-3.0-or-later
#include "shadedpanel.h"

#include <QFrame>
#include <QPaintDevice>
#include <QPainter>
#include <QStyleOption>

namespace margino {

namespace {

// At one device pixel to a pixel and whole-pixel positions, a one-pixel line's pixels are a
// rectangle's.
bool drawsWholePixels(const QPainter &painter) {
    const QTransform &t = painter.transform();
    return painter.device()->devicePixelRatioF() == 1 && t.type() <= QTransform::TxTranslate &&
           t.dx() == int(t.dx()) && t.dy() == int(t.dy()) &&
           !painter.testRenderHint(QPainter::Antialiasing) &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
           painter.opacity() == 1;
}

} // namespace

// Each line's first and last pixel as qDrawShadePanel gives them: the upper left in one colour,
// then the lower right over it in the other.
bool drawShadedPanel(QPainter &painter, const QStyleOptionFrame &frame) {
    const bool sunken = frame.state & QStyle::State_Sunken;
    if (frame.frameShape != QFrame::Panel ||
        !(frame.state & (QStyle::State_Sunken | QStyle::State_Raised)) ||
        !drawsWholePixels(painter))
        return false;
    const int lw = frame.lineWidth, x = frame.rect.x(), y = frame.rect.y(), w = frame.rect.width(),
              h = frame.rect.height();
    const QColor shade = frame.palette.dark().color(), light = frame.palette.light().color();
    // Lines that cross or overlap a translucent line are blended twice: the style draws those.
    if (lw < 0 || w < 2 * lw + 2 || h < 2 * lw + 2 || shade.alpha() != 255 || light.alpha() != 255)
        return false;
    const QColor &upper = sunken ? shade : light, &lower = sunken ? light : shade;
    for (int i = 0; i < lw; ++i) {
        painter.fillRect(QRect(QPoint(x, y + i), QPoint(x + w - 2 - i, y + i)), upper);
        painter.fillRect(QRect(QPoint(x + i, y + lw - i), QPoint(x + i, y + h - 2)), upper);
    }
    for (int i = 0; i < lw; ++i) {
        painter.fillRect(QRect(QPoint(x + i, y + h - 1 - i), QPoint(x + w - 1, y + h - 1 - i)),
                         lower);
        painter.fillRect(QRect(QPoint(x + w - 1 - i, y + i), QPoint(x + w - 1 - i, y + h - lw - 1)),
                         lower);
    }
    return true;
}

} // namespace margino
