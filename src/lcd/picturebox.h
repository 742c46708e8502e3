// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an LCD needs of the box it draws on: pixel scale, a persistent image, two colours,
// clearing and one-pixel lines. How the pixels reach the screen is left to the implementation.
//
// Pixel rules every implementation follows, so that strokes meet as the glyphs intend:
// - Coordinates are rounded to the nearest pixel, halves to even.
// - Line() draws from the first point up to, but not including, the second (the end pixel is
//   left for the next stroke); a line whose two points are the same pixel draws nothing.
// - Box() fills every pixel from one corner to the other, both included. The point mark's
//   corners (about one pixel apart) therefore give a 2 x 2 dot, which stays readable.

#include <QtGlobal>

namespace margino {

// Colours are 00BBGGRR; a value with the top bit set (8000000n) names system colour n.
using OleColor = quint32;

class PictureBox {
public:
    virtual ~PictureBox() = default;

    // Coordinates in pixels from now on.
    virtual void setPixelScale() = 0;
    // Drawing goes to an image that the box keeps and repaints by itself.
    virtual void setAutoRedraw(bool on) = 0;
    // The height of the drawing area in the current scale.
    virtual float ScaleHeight() const = 0;
    // Fills the image with the background colour.
    virtual void Cls() = 0;
    // Setting the background also clears the drawing.
    virtual void setBackColor(OleColor color) = 0;
    virtual void setForeColor(OleColor color) = 0;
    virtual void Line(float x1, float y1, float x2, float y2) = 0;
    virtual void Box(float x1, float y1, float x2, float y2) = 0;
};

} // namespace margino
