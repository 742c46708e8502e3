#include "amountlabel.h"

#include "core/numbertext.h"

#include <QFontMetrics>

namespace margino {

AmountLabel::AmountLabel(const QFont &layoutFont, QWidget *parent)
    : QLabel(parent), layoutFont_(layoutFont) {
    setFont(layoutFont_);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setIndent(Margin);
    // Opaque, so a new amount repaints the label and not the frame beneath it.
    setAutoFillBackground(true);
}

void AmountLabel::setAmount(const QString &amount) {
    if (amount == amount_)
        return;
    amount_ = amount;
    setToolTip(amount);
    setAccessibleName(amount);
    fit();
}

void AmountLabel::resizeEvent(QResizeEvent *event) {
    QLabel::resizeEvent(event);
    fit();
}

bool AmountLabel::fits(const QString &text, const QFont &font) const {
    return QFontMetrics(font).horizontalAdvance(text) <= contentsRect().width() - 2 * Margin;
}

// A smaller font first, as it keeps every digit; then fewer decimals, then the exponent form.
void AmountLabel::fit() {
    QFont font = layoutFont_;
    QString shown = amount_;
    for (int pixels = layoutFont_.pixelSize(); pixels > FloorPixels && !fits(shown, font);)
        font.setPixelSize(--pixels);
    if (!fits(shown, font)) {
        for (const QString &form : shorterForms(amount_, locale())) {
            shown = form;
            if (fits(form, font))
                break;
        }
    }
    if (font != this->font())
        setFont(font);
    setText(shown);
}

} // namespace margino
