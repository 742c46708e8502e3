// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the benchmarks type: into a focused field of the active window, as a user does, one key
// at a time, each followed by the window's paint and flush.

#include <QApplication>
#include <QTest>
#include <QWidget>

// Types a digit or takes it back, so every key changes the text, then lets the windows paint
// and flush what changed. Never inlined: callgrind counts from its entry.
[[gnu::noinline]] inline void keyAndPaint(QWidget *field, bool &typed) {
    typed = !typed;
    QTest::keyClick(field, typed ? Qt::Key_1 : Qt::Key_Backspace);
    QApplication::processEvents();
}

// Keys go to a focused field in the active window: the field then draws its focus frame, and
// an inactive window's keys take other paths.
inline void focusForTyping(QWidget *field) {
    field->window()->activateWindow();
    if (!QTest::qWaitForWindowActive(field->window()))
        qFatal("the window did not become active");
    field->setFocus();
}
