// SPDX-License-Identifier: GPL-3.0-or-later
#include "figureactions.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace margino {

namespace {

// A figure as assistive technology reads it: its description is its explanation, built when
// asked, so no key pays for explanations nobody reads.
class FigureAccessible : public QAccessibleWidget {
public:
    explicit FigureAccessible(QWidget *figure) : QAccessibleWidget(figure) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Description)
            if (const FigureActions *actions = figureActions())
                return actions->explanation();
        return QAccessibleWidget::text(kind);
    }

private:
    const FigureActions *figureActions() const {
        return widget()->findChild<FigureActions *>(QString(), Qt::FindDirectChildrenOnly);
    }
};

QAccessibleInterface *figureInterface(const QString &, QObject *object) {
    auto *frame = qobject_cast<QFrame *>(object);
    if (frame && frame->findChild<FigureActions *>(QString(), Qt::FindDirectChildrenOnly))
        return new FigureAccessible(frame);
    return nullptr;
}

} // namespace

FigureActions::FigureActions(QFrame *figure, QAction *copyAll, std::function<QString()> value,
                             std::function<QString()> explain)
    : QObject(figure), figure_(figure), value_(std::move(value)), explain_(std::move(explain)) {
    static const bool installed = (QAccessible::installFactory(figureInterface), true);
    Q_UNUSED(installed);
    figure->setFocusPolicy(Qt::StrongFocus);
    auto *copy = new QAction(QStringLiteral("Copia"), figure);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    connect(copy, &QAction::triggered, figure,
            [this] { QGuiApplication::clipboard()->setText(value_()); });
    figure->addAction(copy);
    figure->addAction(copyAll);
    figure->setContextMenuPolicy(Qt::ActionsContextMenu);
    figure->installEventFilter(this);
}

void FigureActions::setSpoken(const QString &spoken) {
    if (figure_->accessibleName() != spoken)
        figure_->setAccessibleName(spoken);
}

void FigureActions::explanationChanged() {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(figure_, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void FigureActions::paintFocusMark(QFrame *figure, QPainter &painter) {
    if (!figure->hasFocus())
        return;
    painter.setPen(QPen(figure->palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(figure->rect()).adjusted(1, 1, -1, -1));
}

// The mark comes and goes with the focus: the whole figure is repainted then. The tooltip is
// the explanation as it is when the pointer rests on the figure.
bool FigureActions::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
        figure_->update();
    if (event->type() == QEvent::ToolTip && watched == figure_) {
        const auto *help = static_cast<QHelpEvent *>(event);
        QToolTip::showText(help->globalPos(), explain_(), figure_);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace margino
