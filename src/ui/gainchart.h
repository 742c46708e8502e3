// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plan window's chart as the window sees it. The chart itself lives in a module of its own
// (margino_chart, linking Qt Charts), loaded when the window is first made, so the chart
// library costs the program's start nothing.

#include "calc/gaincurve.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <functional>

class QWidget;

namespace margino {

class GainChart {
public:
    virtual ~GainChart() = default;
    virtual QWidget *widget() = 0;
    // Shows the curve (an empty one clears the chart); hover says what a price gives.
    virtual void setCurve(const GainCurve &curve, std::function<QString(double)> hover) = 0;
    // The points a series draws, by its name in the legend or on its mark ("Guadagno netto",
    // "Stop"); none for an unknown name.
    virtual QList<QPointF> points(const QString &series) const = 0;
};

// A chart owned by `parent`, or none, with why, when the module cannot be loaded.
GainChart *makeGainChart(QWidget *parent, QString &problem);

} // namespace margino

// The module's one entry point.
extern "C" using MarginoMakeGainChart = margino::GainChart * (QWidget * parent);
