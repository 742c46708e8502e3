// SPDX-License-Identifier: GPL-3.0-or-later
#include "creditsview.h"

#include <QPaintEvent>
#include <QPainter>

namespace margino {

CreditsView::CreditsView(const CreditsRoll &roll, const QRect &area, QWidget *parent)
    : QWidget(parent), roll_(roll), area_(area) {
    // Every pixel is painted here: the window behind is not repainted at each tick.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CreditsView::setTexts(const std::array<QString, CreditsRoll::LastLine + 1> &texts) {
    inked_.emplace();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        texts_[i] = QStaticText(texts[i]);
        texts_[i].setTextFormat(Qt::PlainText);
        texts_[i].prepare(QTransform(), font());
        if (texts[i].isEmpty() || !inked_)
            continue;
        // Centred on the credits area, whatever part of it the view shows.
        (*inked_)[i] =
            InkedLine::make(texts[i], font(), (area_.width() - texts_[i].size().width()) / 2);
        if (!(*inked_)[i])
            inked_.reset();
    }
    update();
}

void CreditsView::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const QColor ground = palette().color(QPalette::Window);
    // Each tick recolours every line: blending kept ink costs less than half of drawing glyphs.
    if (inked_ && devicePixelRatio() == 1 && ground.rgba() == qRgb(0, 0, 0)) {
        if (frame_.size() != size())
            frame_ = QImage(size(), QImage::Format_RGB32);
        frame_.fill(ground);
        for (std::size_t i = 0; i < inked_->size(); ++i) {
            const RollLine &line = roll_.lines()[i];
            const RollColor color = line.color.value_or(RollColor{255, 255, 255});
            if (const auto &ink = (*inked_)[i]) {
                const QRgb rgb = qRgb(color.red, color.green, color.blue);
                const auto kept = colours_.try_emplace(rgb, rgb, qRgb(0, 0, 0)).first;
                ink->draw(frame_, QPoint(area_.left() - x(), line.box.top() - y()), kept->second);
            }
        }
        painter.drawImage(event->rect(), frame_, event->rect());
        return;
    }
    painter.fillRect(event->rect(), ground);
    painter.setFont(font());
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        const RollLine &line = roll_.lines()[i];
        if (texts_[i].text().isEmpty())
            continue;
        // A text may run past its line's box, as our fonts are wider than the ones the layout
        // was drawn with: each line spans the credits area, centred on its box.
        QRect box(area_.left(), line.box.top(), area_.width(), line.box.height());
        box.translate(-pos());
        if (!box.intersects(event->rect()))
            continue;
        const RollColor color = line.color.value_or(RollColor{255, 255, 255});
        painter.setPen(QColor(color.red, color.green, color.blue));
        // Where a painter centres the text in the box at the top: its layout is kept.
        const QPointF topLeft(box.left() + (box.width() - texts_[i].size().width()) / 2, box.top());
        painter.drawStaticText(topLeft, texts_[i]);
    }
}

} // namespace margino
