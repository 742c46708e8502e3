// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture box that draws into an image it keeps: exact pixels, no antialiasing, spans
// written straight into memory. Showing the image on screen is left to a widget.

#include "lcd/glyphimage.h"
#include "lcd/picturebox.h"

#include <QImage>

namespace margino {

class ImageCanvas : public PictureBox {
public:
    explicit ImageCanvas(QSize size = {});

    // A new drawing area; what was drawn stays where it fits.
    void resizeImage(QSize size);
    const QImage &image() const { return image_; }
    // The colour a 00BBGGRR value stands for; system colours come from the application palette.
    static QRgb toRgb(OleColor color);

    void setPixelScale() override {}
    void setAutoRedraw(bool on) override { autoRedraw_ = on; }
    bool autoRedraw() const { return autoRedraw_; }
    float ScaleHeight() const override { return float(image_.height()); }
    void Cls() override;
    void setBackColor(OleColor color) override;
    void setForeColor(OleColor color) override { fore_ = toRgb(color); }
    void Line(float x1, float y1, float x2, float y2) override;
    void Box(float x1, float y1, float x2, float y2) override;
    // Copies a kept cell drawing with its origin at (x, y), clipped to the image. Where
    // `onBackground` promises nothing is drawn yet in its rectangle, whole rows are copied.
    void stamp(const GlyphImage &glyph, int x, int y, bool onBackground = false);
    // Fills a rectangle, clipped to the image, with the background colour.
    void clearRect(const QRect &rect);
    // Counts every change to the pixels, so a caller can tell its drawing is still there.
    quint64 drawings() const { return drawings_; }

protected:
    // Called once when the image changes after markShown(), so a widget schedules one repaint.
    virtual void imageChanged() {}
    void markShown() { shown_ = true; }

private:
    void touch() {
        ++drawings_;
        if (shown_) {
            shown_ = false;
            imageChanged();
        }
    }
    void plot(int x, int y) {
        if (unsigned(x) < unsigned(width_) && unsigned(y) < unsigned(height_))
            bits_[y * stride_ + x] = fore_;
    }
    void fillRect(int left, int top, int right, int bottom);
    void horizontalSpan(int y, int left, int right) { span(y, left, right, fore_); }
    void span(int y, int left, int right, QRgb colour);
    void verticalSpan(int x, int top, int bottom);

    QImage image_;
    QRgb *bits_ = nullptr;
    int stride_ = 0, width_ = 0, height_ = 0;
    QRgb fore_ = 0xff000000, back_ = 0xffffffff;
    bool autoRedraw_ = false;
    bool shown_ = true;
    quint64 drawings_ = 0;
};

} // namespace margino
