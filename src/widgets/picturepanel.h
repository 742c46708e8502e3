#pragma once
// A sunken panel that shows a kept image, the picture box an LCD draws on. It repaints
// itself after drawing and tells assistive technology what it shows; drawing is the canvas's.

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
    // The full text of the result shown, for assistive technology: the cells may show less.
    void setShownText(const QString &text);

protected:
    void imageChanged() override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

} // namespace margino
