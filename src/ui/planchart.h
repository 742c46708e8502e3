// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart of a planned trade's gain against the sale price: losses and gains of the net gain
// in two colours, the gain after tax, the zero line, the kinks and the labelled marks. Its
// series are made once and their points replaced at each change; the points are GainCurve's.

#include "calc/gaincurve.h"

#include <QChartView>
#include <functional>

class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace margino {

class PlanChart : public QChartView {
    Q_OBJECT

public:
    explicit PlanChart(QWidget *parent = nullptr);

    // Shows the curve (an empty one clears the chart); hover says what a price gives.
    void setCurve(const GainCurve &curve, std::function<QString(double)> hover);

    // The series by the name shown in the legend or on the mark ("Guadagno netto", "Stop").
    QAbstractSeries *series(const QString &name) const;

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
