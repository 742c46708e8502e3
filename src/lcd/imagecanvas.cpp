// SPDX-License-Identifier: GPL-3.0-or-later
#include "imagecanvas.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace margino {

namespace {

int pixel(float v) {
    // Strokes come on whole pixels; only the point mark's corners need rounding. A wild
    // coordinate is clamped first, so it cannot overflow an int.
    if (v > -1.0e6f && v < 1.0e6f) {
        const int whole = int(v);
        return float(whole) == v ? whole : int(std::nearbyint(v));
    }
    return v > 0 ? 1000000 : -1000000;
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
        static constexpr std::pair<quint32, QPalette::ColorRole> roles[] = {
            {5, QPalette::Base},       {8, QPalette::Text},
            {13, QPalette::Highlight}, {14, QPalette::HighlightedText},
            {15, QPalette::Button},    {18, QPalette::ButtonText}};
        QPalette::ColorRole role = QPalette::WindowText;
        for (const auto &[index, known] : roles)
            role = (color & 0xFFu) == index ? known : role;
        return QGuiApplication::palette().color(role).rgb();
    }
    return qRgb(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

void ImageCanvas::Cls() {
    image_.fill(back_);
    touch();
}

void ImageCanvas::clearRect(const QRect &rect) {
    const QRect clipped = rect & QRect(0, 0, width_, height_);
    for (int y = clipped.top(); y <= clipped.bottom(); ++y)
        std::fill_n(bits_ + y * stride_ + clipped.left(), clipped.width(), back_);
    touch();
}

void ImageCanvas::setBackColor(OleColor color) {
    back_ = toRgb(color);
    Cls();
}

void ImageCanvas::fillRect(int left, int top, int right, int bottom) {
    for (int y = std::max(top, 0); y <= std::min(bottom, height_ - 1); ++y)
        horizontalSpan(y, left, right);
}

// Strokes are a few pixels long: a plain loop beats any setup for wide stores.
void ImageCanvas::span(int y, int left, int right, QRgb colour) {
    if (unsigned(y) >= unsigned(height_))
        return;
    QRgb *pixel = bits_ + y * stride_ + std::max(left, 0);
    QRgb *const last = bits_ + y * stride_ + std::min(right, width_ - 1);
    while (pixel <= last)
        *pixel++ = colour;
}

void ImageCanvas::verticalSpan(int x, int top, int bottom) {
    if (unsigned(x) >= unsigned(width_))
        return;
    top = std::max(top, 0);
    bottom = std::min(bottom, height_ - 1);
    const QRgb colour = fore_;
    QRgb *pixel = bits_ + top * stride_ + x;
    for (int y = top; y <= bottom; ++y, pixel += stride_)
        *pixel = colour;
}

void ImageCanvas::Line(float x1, float y1, float x2, float y2) {
    const int ax = pixel(x1), ay = pixel(y1), bx = pixel(x2), by = pixel(y2);
    if (ay == by) {
        // Horizontal and vertical strokes are spans; the end pixel is not part of the stroke.
        if (ax < bx)
            horizontalSpan(ay, ax, bx - 1);
        else if (ax > bx)
            horizontalSpan(ay, bx + 1, ax);
    } else if (ax == bx) {
        if (ay < by)
            verticalSpan(ax, ay, by - 1);
        else
            verticalSpan(ax, by + 1, ay);
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

void ImageCanvas::stamp(const GlyphImage &glyph, int x, int y, bool onBackground) {
    const QRect bounds = glyph.bounds().translated(x, y);
    if (onBackground && QRect(0, 0, width_, height_).contains(bounds)) {
        const QImage &source = glyph.opaque();
        const uchar *from = source.constBits();
        for (int row = 0; row < bounds.height(); ++row, from += source.bytesPerLine())
            std::memcpy(bits_ + (bounds.top() + row) * stride_ + bounds.left(), from,
                        bounds.width() * sizeof(QRgb));
        touch();
        return;
    }
    for (const GlyphImage::Run &run : glyph.runs())
        span(y + run.dy, x + run.dx, x + run.dx + run.length - 1, run.colour);
    touch();
}

} // namespace margino
