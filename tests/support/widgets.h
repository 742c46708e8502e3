// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window tests' hands: a named control that must be there, and a field retyped key by key.

#include <QTest>
#include <QWidget>

template <typename T = QWidget> T *child(const QWidget *window, const char *name) {
    auto *widget = window->findChild<T *>(QString::fromUtf8(name));
    if (!widget)
        qFatal("no control %s", name);
    return widget;
}

// Replaces a field's text key by key, as a user selecting all and typing; an empty text is a
// Delete.
inline void retype(QWidget *field, const QString &keys) {
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    if (keys.isEmpty())
        QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, keys);
}
