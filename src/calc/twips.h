#pragma once
// Window layouts are drawn in twips; 15 twips make one pixel at the 96 dpi they assume.

#include <QRect>
#include <QWidget>

namespace margino {

constexpr int twipsToPixels(int twips) {
    return (twips + 7) / 15;
}

inline void placeTwips(QWidget *widget, int left, int top, int width, int height) {
    widget->setGeometry(QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                              twipsToPixels(height)));
}

// Font sizes in points at 96 dpi, as pixels so the layout holds on any screen.
constexpr int pointsToPixels(double points) {
    return int(points * 96 / 72 + 0.5);
}

} // namespace margino
