// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window layouts are drawn in twips; 15 twips make one pixel at the 96 dpi they assume.
// The labels and fonts every window's layout uses; what each window places is its own.

#include <QFont>
#include <QRect>
#include <QWidget>

class QLabel;

namespace margino {

constexpr int twipsToPixels(int twips) {
    return (twips + 7) / 15;
}

inline void placeTwips(QWidget *widget, int left, int top, int width, int height) {
    widget->setGeometry(QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                              twipsToPixels(height)));
}

// The layouts' "MS Sans Serif" at the given size.
QFont sansSerif(double points, bool bold = false);

// A top-left aligned 8.25-point label placed on the twip grid.
QLabel *addTwipsLabel(QWidget *parent, const char *name, const QString &caption, int left, int top,
                      int width, int height);

} // namespace margino
