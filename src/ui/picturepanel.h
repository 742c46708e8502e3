// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sunken panel that shows a kept image, the picture box an LCD draws on. It repaints
// itself after drawing; what the image shows is the canvas's and its owner's business.

#include "lcd/imagecanvas.h"

#include <QFrame>

namespace margino {

class PicturePanel : public QFrame, public ImageCanvas {
    Q_OBJECT

public:
    explicit PicturePanel(QWidget *parent = nullptr);

    // The drawing area is the inside of the border, sized even before the first resize event.
    float ScaleHeight() const override { return float(contentsRect().height()); }
    void Cls() override;

protected:
    void imageChanged() override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

} // namespace margino
