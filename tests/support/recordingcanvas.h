// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture box that draws nothing and records every call, so tests can read the strokes of a
// caption.

#include "lcd/picturebox.h"

#include <QList>
#include <QString>

class RecordingCanvas : public margino::PictureBox {
public:
    struct Op {
        char kind; // 'L' line, 'B' box, 'C' clear, 'K' back colour, 'F' fore colour
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        margino::OleColor colour = 0;
    };

    explicit RecordingCanvas(float scaleHeight = 21) : height_(scaleHeight) {}

    QList<Op> ops;

    QList<Op> lines() const {
        QList<Op> result;
        for (const Op &op : ops)
            if (op.kind == 'L')
                result << op;
        return result;
    }

    void setPixelScale() override {}
    void setAutoRedraw(bool) override {}
    float ScaleHeight() const override { return height_; }
    void Cls() override { ops << Op{'C'}; }
    void setBackColor(margino::OleColor c) override { ops << Op{'K', 0, 0, 0, 0, c}; }
    void setForeColor(margino::OleColor c) override {
        fore_ = c;
        ops << Op{'F', 0, 0, 0, 0, c};
    }
    void Line(float x1, float y1, float x2, float y2) override {
        ops << Op{'L', x1, y1, x2, y2, fore_};
    }
    void Box(float x1, float y1, float x2, float y2) override {
        ops << Op{'B', x1, y1, x2, y2, fore_};
    }

private:
    float height_;
    margino::OleColor fore_ = 0;
};
