#include "picturepanel.h"

#include <QPainter>

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

void PicturePanel::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), image());
    markShown();
}

void PicturePanel::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    if (image().size() != contentsRect().size())
        resizeImage(contentsRect().size());
}

} // namespace margino
