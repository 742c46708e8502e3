// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop style with what our windows show at start drawn without loading every
// image-format plugin: the menu bar's overflow icon drawn, Fusion's group box frame read as
// the PNG it is; and a field's panel, drawn again at every key, copied from the style's own
// drawing of it. Everything else, and every pixel, is the style's own.

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

private:
    bool drawKeptPanel(const QStyleOption *option, QPainter *painter, const QWidget *widget) const;

    mutable QPixmap groupBoxFrame_;
    mutable QHash<QString, QPixmap> panels_; // by size, state, colours and ground
};

// Puts DrawnIconsStyle over the application's style before any window exists: a picture read
// without its format named, as styles read theirs, loads every image-format plugin to find the
// one that reads it.
void installStyle();

} // namespace margino
