// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Makes a result widget a figure the user can reach with Tab, copy with Ctrl+C or its context
// menu, and hear and read explained. What the figure says is the caller's to give.

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
    // value gives the figure's full text at the moment of copying; explain how it was obtained,
    // asked only when a tooltip or a screen reader wants it; copyAll is offered too.
    FigureActions(QFrame *figure, QAction *copyAll, std::function<QString()> value,
                  std::function<QString()> explain);

    // Where the spoken name ("Punto di pareggio, 10,059 euro") comes from: asked only when a
    // screen reader wants it, so a key builds no sentence nobody hears.
    void setSpoken(std::function<QString()> spoken);
    // The figure changed: a screen reader that follows it is told its name did.
    void spokenChanged();
    QString spoken() const { return spoken_ ? spoken_() : QString(); }
    // The figure changed: a screen reader that follows it hears that its explanation did.
    void explanationChanged();

    QString value() const { return value_(); }
    // How the figure was obtained, built now: its tooltip and accessible description.
    QString explanation() const { return explain_(); }

    // Draws the focus mark around a figure that has the keyboard focus.
    static void paintFocusMark(QFrame *figure, QPainter &painter);

    // Makes every figure widget announce itself as read-only text rather than as a frame;
    // called by each figure widget before it can be asked for.
    static void announceAsText();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QFrame *figure_;
    std::function<QString()> value_, explain_, spoken_;
};

} // namespace margino
