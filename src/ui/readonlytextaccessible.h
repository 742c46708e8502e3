// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A widget that assistive technology reads as read-only text through the text interface: its
// state and the interface's plumbing. What the text is, and any selection, are the subclass's.

#include <QAccessibleWidget>

namespace margino {

class ReadOnlyTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    using QAccessibleWidget::QAccessibleWidget;

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
    QRect characterRect(int) const override { return {}; }
    QString attributes(int, int *start, int *end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
};

} // namespace margino
