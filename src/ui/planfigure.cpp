// SPDX-License-Identifier: GPL-3.0-or-later
#include "planfigure.h"

#include "ui/figureactions.h"

#include <QPainter>

namespace margino {

PlanFigure::PlanFigure(QSize size, bool wrap, QAction *copyAll, std::function<QString()> explain,
                       QWidget *parent)
    : QFrame(parent), wrap_(wrap),
      actions_(new FigureActions(
          this, copyAll, [this] { return text_; }, std::move(explain))) {
    setFixedSize(size);
    // It paints its whole box, so a new text repaints nothing beneath it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setContentsMargins(1, 1, 1, 1);
    if (wrap)
        setFocusPolicy(Qt::NoFocus);
}

bool PlanFigure::setText(const QString &text) {
    if (text == text_)
        return false;
    text_ = text;
    update();
    return true;
}

// Background, a one-pixel border and the text: a style's shaded panel would cost more than
// the rest of a key.
void PlanFigure::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QPalette &p = palette();
    if (wrap_) {
        painter.fillRect(rect(), p.color(QPalette::Window));
    } else { // the border as two fills: far cheaper than stroking a rectangle
        painter.fillRect(rect(), p.color(QPalette::Mid));
        painter.fillRect(rect().adjusted(1, 1, -1, -1), p.color(QPalette::Base));
    }
    painter.setPen(p.color(wrap_ ? QPalette::WindowText : QPalette::Text));
    const QRect area = contentsRect().adjusted(4, 0, -4, 0);
    if (wrap_)
        painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text_);
    else
        painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, text_);
    FigureActions::paintFocusMark(this, painter);
}

} // namespace margino
