// SPDX-License-Identifier: GPL-3.0-or-later
#include "figureactions.h"

#include "ui/amountlabel.h"
#include "ui/picturepanel.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QClipboard>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QPainter>

namespace margino {

namespace {

// A figure as assistive technology reads it: read-only text holding the figure's full value,
// under the spoken name and explanation the window gives it (a frame is read as "frame").
class FigureAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit FigureAccessible(QWidget *figure)
        : QAccessibleWidget(figure, QAccessible::EditableText) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.editable = false;
        return state;
    }
    void *interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override { return QAccessibleWidget::text(kind); }
    QString text(int start, int end) const override { return value().mid(start, end - start); }
    int characterCount() const override { return int(value().size()); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QString value() const {
        const auto *actions =
            widget()->findChild<FigureActions *>(QString(), Qt::FindDirectChildrenOnly);
        return actions ? actions->value() : QString();
    }
};

QAccessibleInterface *figureInterface(const QString &, QObject *object) {
    if (qobject_cast<PicturePanel *>(object) || qobject_cast<AmountLabel *>(object))
        return new FigureAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

void FigureActions::announceAsText() {
    static const bool installed = (QAccessible::installFactory(figureInterface), true);
    Q_UNUSED(installed);
}

FigureActions::FigureActions(QFrame *figure, QAction *copyAll, std::function<QString()> value)
    : QObject(figure), figure_(figure), value_(value) {
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
