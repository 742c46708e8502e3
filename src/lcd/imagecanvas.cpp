#include "imagecanvas.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace margino {

namespace {

int pixel(float v) {
    // Beyond any image: clamp before converting, so a wild coordinate cannot overflow an int.
    return int(std::nearbyint(std::clamp(v, -1.0e6f, 1.0e6f)));
}

} // namespace

ImageCanvas::ImageCanvas(QSize size) {
    resizeImage(size);
}

void ImageCanvas::resizeImage(QSize size) {
    QImage next(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    next.fill(back_);
    if (!image_.isNull()) {
        QPainter painter(&next);
        painter.drawImage(0, 0, image_);
    }
    image_ = std::move(next);
    bits_ = reinterpret_cast<QRgb *>(image_.bits());
    stride_ = int(image_.bytesPerLine() / sizeof(QRgb));
    width_ = image_.width();
    height_ = image_.height();
    touch();
}

QRgb ImageCanvas::toRgb(OleColor color) {
    if (color & 0x80000000u) {
        // The few system colours a picture box is likely to be given, by their index.
        const QPalette palette = QGuiApplication::palette();
        switch (color & 0xFFu) {
        case 5:
            return palette.color(QPalette::Base).rgb();
        case 8:
            return palette.color(QPalette::Text).rgb();
        case 13:
            return palette.color(QPalette::Highlight).rgb();
        case 14:
            return palette.color(QPalette::HighlightedText).rgb();
        case 15:
            return palette.color(QPalette::Button).rgb();
        case 18:
            return palette.color(QPalette::ButtonText).rgb();
        default:
            return palette.color(QPalette::WindowText).rgb();
        }
    }
    return qRgb(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

void ImageCanvas::Cls() {
    image_.fill(back_);
    touch();
}

void ImageCanvas::setBackColor(OleColor color) {
    back_ = toRgb(color);
    Cls();
}

void ImageCanvas::fillRect(int left, int top, int right, int bottom) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_ - 1);
    bottom = std::min(bottom, height_ - 1);
    if (left > right || top > bottom)
        return;
    for (int y = top; y <= bottom; ++y)
        std::fill(bits_ + y * stride_ + left, bits_ + y * stride_ + right + 1, fore_);
}

void ImageCanvas::Line(float x1, float y1, float x2, float y2) {
    const int ax = pixel(x1), ay = pixel(y1), bx = pixel(x2), by = pixel(y2);
    if (ay == by) {
        // Horizontal and vertical strokes are spans; the end pixel is not part of the stroke.
        if (ax < bx)
            fillRect(ax, ay, bx - 1, ay);
        else if (ax > bx)
            fillRect(bx + 1, ay, ax, ay);
    } else if (ax == bx) {
        if (ay < by)
            fillRect(ax, ay, ax, by - 1);
        else
            fillRect(ax, by + 1, ax, ay);
    } else {
        // Bresenham from the first point, stopping before the second.
        const int dx = std::abs(bx - ax), dy = -std::abs(by - ay);
        const int sx = ax < bx ? 1 : -1, sy = ay < by ? 1 : -1;
        int err = dx + dy, x = ax, y = ay;
        while (x != bx || y != by) {
            plot(x, y);
            const int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y += sy;
            }
        }
    }
    touch();
}

void ImageCanvas::Box(float x1, float y1, float x2, float y2) {
    const int ax = pixel(x1), ay = pixel(y1), bx = pixel(x2), by = pixel(y2);
    fillRect(std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by));
    touch();
}

} // namespace margino
