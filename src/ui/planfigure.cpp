// SPDX-License-Identifier: GPL-3.0-or-later
#include "planfigure.h"

#include "ui/figureactions.h"

#include <QPainter>

namespace margino {

PlanFigure::PlanFigure(QSize size, bool wrap, QAction *copyAll, QWidget *parent)
    : QFrame(parent), wrap_(wrap),
      actions_(new FigureActions(this, copyAll, [this] { return text_; })) {
    setFixedSize(size);
    setFrameStyle(wrap ? QFrame::NoFrame : (QFrame::Panel | QFrame::Sunken));
    if (wrap)
        setFocusPolicy(Qt::NoFocus);
}

void PlanFigure::setText(const QString &text) {
    if (text == text_)
        return;
    text_ = text;
    update();
}

void PlanFigure::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect().adjusted(4, 0, -4, 0);
    if (wrap_)
        painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text_);
    else
        painter.drawText(area, Qt::AlignRight | Qt::AlignVCenter, text_);
    FigureActions::paintFocusMark(this, painter);
}

} // namespace margino
