#include "picturepanel.h"

#include "widgets/figureactions.h"

#include <QPaintEvent>
#include <QPainter>

namespace margino {

// The frame and the image cover every pixel, so a redraw never repaints what lies beneath.
PicturePanel::PicturePanel(QWidget *parent) : QFrame(parent) {
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

void PicturePanel::paintEvent(QPaintEvent *event) {
    // A new caption repaints the inside only; the border is drawn when it is exposed.
    if (!contentsRect().contains(event->rect()))
        QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), image());
    FigureActions::paintFocusMark(this, painter);
    markShown();
}

void PicturePanel::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    if (image().size() != contentsRect().size())
        resizeImage(contentsRect().size());
}

} // namespace margino
