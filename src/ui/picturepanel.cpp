// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturepanel.h"

#include "ui/figureactions.h"

#include <QPaintEvent>
#include <QPainter>
#include <cmath>

namespace margino {

// The frame and the image cover every pixel, so a redraw never repaints what lies beneath.
PicturePanel::PicturePanel(QWidget *parent) : QFrame(parent) {
    FigureActions::announceAsText();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PicturePanel::Cls() {
    if (image().size() != contentsRect().size())
        resizeImage(contentsRect().size());
    ImageCanvas::Cls();
}

void PicturePanel::imageChanged() {
    update(contentsRect());
}

// At a whole pixel ratio every image pixel becomes an exact block (the painter scales without
// smoothing). At 1,25x or 1,5x such blocks would alternate one and two pixels wide, so the
// image is enlarged to the next whole ratio and scaled down smoothly: every stroke keeps one
// width.
void PicturePanel::paintEvent(QPaintEvent *event) {
    // A new caption repaints the inside only; the border is drawn when it is exposed.
    if (!contentsRect().contains(event->rect()))
        QFrame::paintEvent(event);
    QPainter painter(this);
    const qreal ratio = painter.device()->devicePixelRatioF();
    const int whole = int(std::ceil(ratio));
    if (whole == ratio) {
        painter.drawImage(contentsRect().topLeft(), image());
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(contentsRect(), image().scaled(image().size() * whole));
    }
    FigureActions::paintFocusMark(this, painter);
    markShown();
}

void PicturePanel::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    if (image().size() != contentsRect().size())
        resizeImage(contentsRect().size());
}

} // namespace margino
