// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A box of fixed size that paints one answer's text, so a new text repaints the box and never
// lays out the window again. Reaching, copying and explaining it are FigureActions'.

#include <QFrame>
#include <QString>
#include <functional>

namespace margino {

class FigureActions;

class PlanFigure : public QFrame {
    Q_OBJECT

public:
    // A figure (right-aligned, one line) or, with wrap, a message over several lines; explain
    // builds its explanation when a tooltip or a screen reader asks.
    PlanFigure(QSize size, bool wrap, QAction *copyAll, std::function<QString()> explain,
               QWidget *parent = nullptr);

    // Repaints only a changed text; says whether it changed.
    bool setText(const QString &text);
    QString text() const { return text_; }
    FigureActions *actions() const { return actions_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString text_;
    bool wrap_;
    FigureActions *actions_;
};

} // namespace margino
