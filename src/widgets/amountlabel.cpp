#include "amountlabel.h"

#include "core/numbertext.h"
#include "widgets/figureactions.h"

#include <QFontMetrics>
#include <QPainter>

namespace margino {

AmountLabel::AmountLabel(const QFont &layoutFont, QWidget *parent)
    : QFrame(parent), layoutFont_(layoutFont) {
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
    painter.drawText(contentsRect().adjusted(Margin, 0, -Margin, 0),
                     Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, shown_);
    FigureActions::paintFocusMark(this, painter);
}

void AmountLabel::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    fit();
}

bool AmountLabel::fits(const QString &text, int pixels) const {
    QFont font = layoutFont_;
    font.setPixelSize(pixels);
    const QFontMetrics metrics =
        pixels == this->font().pixelSize() ? fontMetrics() : QFontMetrics(font);
    return metrics.horizontalAdvance(text) <= contentsRect().width() - 2 * Margin;
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
