// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop style with what our windows show at start drawn without loading every
// image-format plugin: the menu bar's overflow icon drawn, Fusion's group box frame from stored
// pixels. Drawn with less work: an untitled group box without measuring its empty title, a
// shaded panel's lines as filled rectangles, and a field's panel, drawn again at every key,
// copied from the style's own drawing of it. Everything else, and every pixel, is the style's.

#include <QHash>
#include <QPixmap>
#include <QProxyStyle>

namespace margino {

class DrawnIconsStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                            QPainter *painter, const QWidget *widget = nullptr) const override;

private:
    bool overFusion() const;
    void drawGroupBoxFrame(const QStyleOption *option, QPainter *painter,
                           const QWidget *widget) const;
    bool drawKeptPanel(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;

    // What a panel's pixels depend on.
    struct PanelKey {
        int width, height, state, lineWidth, midLineWidth, features, direction;
        qint64 palette;
        QRgb ground;
        bool operator==(const PanelKey &) const = default;
        friend size_t qHash(const PanelKey &k, size_t seed = 0) {
            return qHashMulti(seed, k.width, k.height, k.state, k.lineWidth, k.midLineWidth,
                              k.features, k.direction, k.palette, k.ground);
        }
    };

    mutable QPixmap groupBoxFrame_;
    mutable QHash<PanelKey, QPixmap> panels_;
};

// Puts DrawnIconsStyle over the application's style before any window exists: a picture read
// without its format named, as styles read theirs, loads every image-format plugin to find the
// one that reads it.
void installStyle();

} // namespace margino
