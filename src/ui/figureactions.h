// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes a result widget a figure the user can reach with Tab, copy with Ctrl+C or its context
// menu, and hear and read explained. What the figure says is the caller's to set.

#include <QObject>
#include <QString>
#include <functional>

class QAction;
class QFrame;
class QPainter;

namespace margino {

class FigureActions : public QObject {
    Q_OBJECT

public:
    // value gives the figure's full text at the moment of copying; copyAll is offered too.
    FigureActions(QFrame *figure, QAction *copyAll, std::function<QString()> value);

    // The spoken name ("Punto di pareggio, 10,059 euro") and how the figure was obtained, as
    // its accessible description and tooltip. A new name is announced.
    void setTexts(const QString &spoken, const QString &explained);

    // Draws the focus mark around a figure that has the keyboard focus.
    static void paintFocusMark(QFrame *figure, QPainter &painter);

    // The figure's full text, as copied.
    QString value() const { return value_(); }

    // Makes every figure widget announce itself as read-only text rather than as a frame;
    // called by each figure widget before it can be asked for.
    static void announceAsText();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QFrame *figure_;
    std::function<QString()> value_;
};

} // namespace margino
