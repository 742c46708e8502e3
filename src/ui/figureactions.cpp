// SPDX-License-Identifier: GPL-3.0-or-later
#include "figureactions.h"

#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QPainter>

namespace margino {

FigureActions::FigureActions(QFrame *figure, QAction *copyAll, std::function<QString()> value)
    : QObject(figure), figure_(figure) {
    figure->setFocusPolicy(Qt::StrongFocus);
    auto *copy = new QAction(QStringLiteral("Copia"), figure);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, figure,
            [value] { QGuiApplication::clipboard()->setText(value()); });
    figure->addAction(copy);
    figure->addAction(copyAll);
    figure->setContextMenuPolicy(Qt::ActionsContextMenu);
    figure->installEventFilter(this);
}

void FigureActions::setTexts(const QString &spoken, const QString &explained) {
    if (figure_->accessibleName() != spoken)
        figure_->setAccessibleName(spoken);
    if (figure_->accessibleDescription() != explained) {
        figure_->setAccessibleDescription(explained);
        figure_->setToolTip(explained);
    }
}

void FigureActions::paintFocusMark(QFrame *figure, QPainter &painter) {
    if (!figure->hasFocus())
        return;
    painter.setPen(QPen(figure->palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(figure->rect()).adjusted(1, 1, -1, -1));
}

// The mark comes and goes with the focus: the whole figure is repainted then.
bool FigureActions::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        figure_->update();
    return QObject::eventFilter(watched, event);
}

} // namespace margino
