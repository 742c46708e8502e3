// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture box that draws nothing and records every call, so tests can read the strokes of a
// caption, and a compact per-cell summary of them.

#include "lcd/picturebox.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>

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

    // One entry per cell of the given pitch from x = 2: runs of strokes as a colour letter
    // (s caption start, L lit, u unlit) and their count, "B" for a point mark. "u30" is an
    // unlit eight; an empty entry is a cell left empty.
    QStringList cells(int pitch = 15) const {
        struct Run {
            char colour;
            int strokes;
        };
        QList<QList<Run>> perCell(9);
        for (const Op &op : ops) {
            if (op.kind != 'L' && op.kind != 'B')
                continue;
            const int cell = (int(std::min(op.x1, op.x2)) - 2) / pitch;
            if (perCell.size() <= cell)
                perCell.resize(cell + 1);
            QList<Run> &runs = perCell[cell];
            const char colour = op.colour == 0x00FF00 ? 'L' : op.colour == 0x005500 ? 'u' : 's';
            if (op.kind == 'B')
                runs << Run{colour, 0};
            else if (!runs.isEmpty() && runs.last().strokes && runs.last().colour == colour)
                ++runs.last().strokes;
            else
                runs << Run{colour, 1};
        }
        QStringList result;
        for (const QList<Run> &runs : perCell) {
            QString text;
            for (const Run &run : runs)
                text += QLatin1Char(run.colour) +
                        (run.strokes ? QString::number(run.strokes) : QStringLiteral("B"));
            result << text;
        }
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
