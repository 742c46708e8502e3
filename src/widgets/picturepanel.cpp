#include "picturepanel.h"

#include <QPainter>
#include <cmath>

namespace margino {

PicturePanel::PicturePanel(QWidget *parent) : QFrame(parent) {}

// The name carries the caption; setting it sends the NameChanged event, so a screen reader
// hears a result when it changes and not at every redraw of the same text.
void PicturePanel::setShownText(const QString &text) {
    if (accessibleName() != text)
        setAccessibleName(text);
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
    markShown();
}

void PicturePanel::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    if (image().size() != contentsRect().size())
        resizeImage(contentsRect().size());
}

} // namespace margino
