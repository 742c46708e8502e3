// SPDX-License-Identifier: GPL-3.0-or-later
#include "amountlabel.h"

#include "core/numbertext.h"
#include "ui/figureactions.h"

#include <QFontMetrics>
#include <QPainter>

namespace margino {

AmountLabel::AmountLabel(const QFont &layoutFont, QWidget *parent)
    : QFrame(parent), layoutFont_(layoutFont) {
    FigureActions::announceAsText();
    setFont(layoutFont_);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    // Opaque, so a new amount repaints the box and not the frame beneath it.
    setAutoFillBackground(true);
}

void AmountLabel::setAmount(const QString &amount) {
    if (amount == amount_)
        return;
    amount_ = amount;
    fit();
}

void AmountLabel::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    // Right-aligned on a baseline centred in the box; the plain overload lays out nothing.
    const QFontMetrics metrics = fontMetrics();
    const QRect box = contentsRect();
    const int baseline = box.top() + (box.height() + metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(QPoint(box.right() + 1 - Margin - textWidth(shown_, metrics), baseline),
                     shown_);
    FigureActions::paintFocusMark(this, painter);
}

void AmountLabel::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    fit();
}

// Digits, signs and separators do not kern: the sum of their advances is the text's width,
// and the font keeps each advance, so no text is shaped at every key.
int AmountLabel::textWidth(const QString &text, const QFontMetrics &metrics) {
    int sum = 0;
    for (const QChar c : text)
        sum += metrics.horizontalAdvance(c);
    return sum;
}

bool AmountLabel::fits(const QString &text, int pixels) const {
    QFont font = layoutFont_;
    font.setPixelSize(pixels);
    const QFontMetrics metrics =
        pixels == this->font().pixelSize() ? fontMetrics() : QFontMetrics(font);
    return textWidth(text, metrics) <= contentsRect().width() - 2 * Margin;
}

// A smaller font first, as it keeps every digit; then fewer decimals, then the exponent form.
void AmountLabel::fit() {
    QString shown = amount_;
    int pixels = layoutFont_.pixelSize();
    while (pixels > FloorPixels && !fits(shown, pixels))
        --pixels;
    if (!fits(shown, pixels)) {
        for (const QString &form : shorterForms(amount_, locale())) {
            shown = form;
            if (fits(form, pixels))
                break;
        }
    }
    if (pixels != font().pixelSize()) {
        QFont font = layoutFont_;
        font.setPixelSize(pixels);
        setFont(font);
    }
    shown_ = shown;
    update();
}

} // namespace margino
