// SPDX-License-Identifier: GPL-3.0-or-later
#include "figureactions.h"

#include "ui/amountlabel.h"
#include "ui/picturepanel.h"
#include "ui/readonlytextaccessible.h"

#include <QAccessible>
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

// A figure as assistive technology reads it: read-only text holding the figure's full value
// (a frame would be read as "frame"), under the spoken name the window gives it; its
// description is its explanation, built when asked, so no key pays for explanations nobody
// reads.
class FigureAccessible : public ReadOnlyTextAccessible {
public:
    explicit FigureAccessible(QWidget *figure)
        : ReadOnlyTextAccessible(figure, QAccessible::EditableText) {}

    QString text(QAccessible::Text kind) const override {
        if (const FigureActions *actions = figureActions()) {
            if (kind == QAccessible::Description)
                return actions->explanation();
            if (kind == QAccessible::Name && !actions->spoken().isEmpty())
                return actions->spoken();
        }
        return QAccessibleWidget::text(kind);
    }
    QString text(int start, int end) const override { return value().mid(start, end - start); }
    int characterCount() const override { return int(value().size()); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}

private:
    const FigureActions *figureActions() const {
        return widget()->findChild<FigureActions *>(QString(), Qt::FindDirectChildrenOnly);
    }
    QString value() const {
        const FigureActions *actions = figureActions();
        return actions ? actions->value() : QString();
    }
};

QAccessibleInterface *figureInterface(const QString &, QObject *object) {
    auto *frame = qobject_cast<QFrame *>(object);
    if (qobject_cast<PicturePanel *>(object) || qobject_cast<AmountLabel *>(object) ||
        (frame && frame->findChild<FigureActions *>(QString(), Qt::FindDirectChildrenOnly)))
        return new FigureAccessible(frame);
    return nullptr;
}

} // namespace

void FigureActions::announceAsText() {
    static const bool installed = (QAccessible::installFactory(figureInterface), true);
    Q_UNUSED(installed);
}

FigureActions::FigureActions(QFrame *figure, QAction *copyAll, std::function<QString()> value,
                             std::function<QString()> explain)
    : QObject(figure), figure_(figure), value_(std::move(value)), explain_(std::move(explain)) {
    announceAsText();
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

void FigureActions::setSpoken(std::function<QString()> spoken) {
    spoken_ = std::move(spoken);
}

void FigureActions::spokenChanged() {
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(figure_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
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
