// SPDX-License-Identifier: GPL-3.0-or-later
#include "planchart.h"

#include <QCursor>
#include <QEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <initializer_list>

namespace margino {

PlanChart::PlanChart(QWidget *parent) : QChartView(parent) {
    setObjectName(QStringLiteral("planChart"));
    setRenderHint(QPainter::Antialiasing);
    chart()->setLocalizeNumbers(true);
    chart()->setMargins(QMargins(2, 2, 2, 2));
    x_ = new QValueAxis(this);
    x_->setTitleText(QStringLiteral("Prezzo di vendita (€)"));
    x_->setLabelFormat(QStringLiteral("%.2f"));
    y_ = new QValueAxis(this);
    y_->setTitleText(QStringLiteral("Guadagno (€)"));
    y_->setLabelFormat(QStringLiteral("%.0f"));
    chart()->addAxis(x_, Qt::AlignBottom);
    chart()->addAxis(y_, Qt::AlignLeft);

    zero_ = line(QStringLiteral("Zero"), Qt::SolidLine);
    losses_ = line(QStringLiteral("Perdita"), Qt::SolidLine);
    gains_ = line(QStringLiteral("Guadagno netto"), Qt::SolidLine);
    afterTax_ = line(QStringLiteral("Dopo le imposte"), Qt::DashLine);
    kinks_ = dots(QStringLiteral("Cambio di commissione o imposta"), 6, false);
    for (CurveMark::Kind kind :
         {CurveMark::Stop, CurveMark::BreakEven, CurveMark::Target, CurveMark::Sale})
        marks_[kind] = dots(markName(kind), 9, true);
    for (QAbstractSeries *unnamed : std::initializer_list<QAbstractSeries *>{zero_, kinks_})
        for (QLegendMarker *marker : chart()->legend()->markers(unnamed))
            marker->setVisible(false);
    for (QScatterSeries *mark : marks_)
        for (QLegendMarker *marker : chart()->legend()->markers(mark))
            marker->setVisible(false);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    paint();
}

QLineSeries *PlanChart::line(const QString &name, Qt::PenStyle style) {
    auto *series = new QLineSeries(this);
    series->setName(name);
    chart()->addSeries(series);
    series->attachAxis(x_);
    series->attachAxis(y_);
    QPen pen = series->pen();
    pen.setStyle(style);
    pen.setWidthF(2);
    series->setPen(pen);
    connect(series, &QLineSeries::hovered, this, [this](const QPointF &point, bool on) {
        if (on && hover_)
            QToolTip::showText(QCursor::pos(), hover_(point.x()), this);
        else
            QToolTip::hideText();
    });
    return series;
}

QScatterSeries *PlanChart::dots(const QString &name, qreal size, bool labelled) {
    auto *series = new QScatterSeries(this);
    series->setName(name);
    series->setMarkerSize(size);
    chart()->addSeries(series);
    series->attachAxis(x_);
    series->attachAxis(y_);
    if (labelled) {
        series->setPointLabelsFormat(name);
        series->setPointLabelsVisible(true);
        series->setPointLabelsClipping(false);
    }
    return series;
}

// Colours from the palette: a dark window gets the light variants, so both read on it.
void PlanChart::paint() {
    const QPalette p = palette();
    const bool dark = p.color(QPalette::Window).lightness() < 128;
    chart()->setBackgroundBrush(p.color(QPalette::Base));
    chart()->legend()->setLabelColor(p.color(QPalette::Text));
    for (QValueAxis *axis : {x_, y_}) {
        axis->setLabelsColor(p.color(QPalette::Text));
        axis->setTitleBrush(p.color(QPalette::Text));
        axis->setGridLineColor(p.color(QPalette::Mid));
    }
    const auto colour = [&](QLineSeries *s, const char *light, const char *night) {
        QPen pen = s->pen();
        pen.setColor(QColor(QLatin1String(dark ? night : light)));
        s->setPen(pen);
    };
    colour(losses_, "#c62828", "#ff7b7b");
    colour(gains_, "#2e7d32", "#6fd67f");
    colour(afterTax_, "#1f5fbf", "#8ab8ff");
    colour(zero_, "#606060", "#b0b0b0");
    for (QScatterSeries *s : marks_) {
        s->setColor(p.color(QPalette::Text));
        s->setPointLabelsColor(p.color(QPalette::Text));
    }
    kinks_->setColor(p.color(QPalette::Mid));
}

void PlanChart::changeEvent(QEvent *event) {
    if (event->type() == QEvent::PaletteChange)
        paint();
    QChartView::changeEvent(event);
}

QList<QPointF> PlanChart::points(const QString &name) const {
    for (QAbstractSeries *s : chart()->series())
        if (s->name() == name)
            return static_cast<QXYSeries *>(s)->points();
    return {};
}

void PlanChart::setCurve(const GainCurve &curve, std::function<QString(double)> hover) {
    hover_ = std::move(hover);
    // The net gain grows with the price: losses are the points up to zero, gains the rest,
    // both through the crossing.
    QList<QPointF> losses, gains;
    for (qsizetype i = 0; i < curve.gain.size(); ++i) {
        const QPointF &pt = curve.gain[i];
        if (i > 0) {
            const QPointF &before = curve.gain[i - 1];
            if ((before.y() < 0) != (pt.y() < 0)) {
                const double t = before.y() / (before.y() - pt.y());
                const QPointF cross(before.x() + t * (pt.x() - before.x()), 0);
                losses.append(cross);
                gains.append(cross);
            }
        }
        (pt.y() < 0 ? losses : gains).append(pt);
    }
    losses_->replace(losses);
    gains_->replace(gains);
    // Below zero the gain after tax is the net gain: drawn from where they part.
    QList<QPointF> taxed;
    for (qsizetype i = 0; i < curve.afterTax.size(); ++i) {
        const QPointF &pt = curve.afterTax[i];
        if (pt.y() >= 0 && taxed.isEmpty() && i > 0) {
            const QPointF &before = curve.afterTax[i - 1];
            const double t = before.y() / (before.y() - pt.y());
            taxed.append({before.x() + t * (pt.x() - before.x()), 0});
        }
        if (pt.y() >= 0)
            taxed.append(pt);
    }
    afterTax_->replace(taxed);
    zero_->replace(curve.gain.isEmpty() ? QList<QPointF>{}
                                        : QList<QPointF>{{curve.low, 0}, {curve.high, 0}});
    QList<QPointF> marks[4], kinks;
    double low = 0, high = 0;
    for (const QPointF &pt : curve.gain) {
        low = std::min(low, pt.y());
        high = std::max(high, pt.y());
    }
    for (const CurveMark &m : curve.marks)
        (m.kind <= CurveMark::Sale ? marks[m.kind] : kinks).append({m.price, m.gain});
    for (int i = 0; i < 4; ++i)
        marks_[i]->replace(marks[i]);
    kinks_->replace(kinks);
    // Without a curve the axes would number an empty range: they show with the curve only.
    const bool drawn = !curve.gain.isEmpty();
    x_->setVisible(drawn);
    y_->setVisible(drawn);
    if (!drawn)
        return;
    x_->setRange(curve.low, curve.high);
    const double pad = std::max(1.0, (high - low) / 10);
    y_->setRange(low - pad, high + pad);
    x_->applyNiceNumbers();
    y_->applyNiceNumbers();
}

} // namespace margino

extern "C" Q_DECL_EXPORT margino::GainChart *marginoMakeGainChart(QWidget *parent) {
    return new margino::PlanChart(parent);
}
