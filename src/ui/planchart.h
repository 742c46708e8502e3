// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart of a planned trade's gain against the sale price: losses and gains of the net gain
// in two colours, the gain after tax, the zero line, the kinks and the labelled marks. Its
// series are made once and their points replaced at each change; the points are GainCurve's.
// Built into the chart module only.

#include "ui/gainchart.h"

#include <QChartView>
#include <functional>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace margino {

class PlanChart : public QChartView, public GainChart {
    Q_OBJECT

public:
    explicit PlanChart(QWidget *parent = nullptr);

    QWidget *widget() override { return this; }
    void setCurve(const GainCurve &curve, std::function<QString(double)> hover) override;
    QList<QPointF> points(const QString &series) const override;

protected:
    void changeEvent(QEvent *event) override;

private:
    QLineSeries *line(const QString &name, Qt::PenStyle style);
    QScatterSeries *dots(const QString &name, qreal size, bool labelled);
    void paint();

    QValueAxis *x_, *y_;
    QLineSeries *losses_, *gains_, *afterTax_, *zero_;
    QScatterSeries *marks_[4], *kinks_;
    std::function<QString(double)> hover_;
};

} // namespace margino
