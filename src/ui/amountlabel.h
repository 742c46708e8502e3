// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A sunken box that shows an amount whole: in its layout font when the text fits, else in a
// smaller one down to a legible floor, then with fewer digits. What the amount is, is the caller's.

#include "ui/inkedline.h"

#include <QFont>
#include <QFrame>
#include <QGlyphRun>
#include <QHash>
#include <QRawFont>

namespace margino {

class AmountLabel : public QFrame {
    Q_OBJECT

public:
    static constexpr int FloorPixels = 10; // smallest font size still read at a glance
    static constexpr int Margin = 3;       // space kept clear at the box's edges

    AmountLabel(const QFont &layoutFont, QWidget *parent = nullptr);

    // The full amount: the box shows what fits of it.
    void setAmount(const QString &amount);
    QString amount() const { return amount_; }
    // What the box shows of the amount now.
    QString shownText() const { return shown_; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void fit();
    bool fits(const QString &text, int pixels) const;
    int textWidth(const QString &text, int pixels) const;
    const QRawFont &face(int pixels) const;
    bool drawInk(QPainter &painter, const QGlyphRun &run);
    const GlyphInk &ink(const QRawFont &face, quint32 glyph, QPointF fraction);

    // The face at each size tried, and the glyphs of the characters shown so far at the size
    // shown: an amount is drawn from them without shaping its text again at every change.
    mutable QHash<int, QRawFont> faces_;
    QHash<char16_t, std::pair<quint32, qreal>> glyphs_; // index, advance; emptied on resizing
    mutable QHash<quint32, int> advances_;              // by pixel size and character
    // Each glyph's ink, by pixel size, glyph and fraction of a pixel: an amount is blended from
    // them, unless a painter was once seen to draw it otherwise.
    QHash<quint64, GlyphInk> inks_;
    enum class Inking { Untried, Agrees, Differs } inking_ = Inking::Untried;
    std::optional<InkColour> inkColour_;
    QImage inside_;
    QFont layoutFont_;
    QString amount_, shown_;
};

} // namespace margino
