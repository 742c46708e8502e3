// SPDX-License-Identifier: GPL-3.0-or-later
#include "amountlabel.h"

#include "core/numbertext.h"
#include "ui/figureactions.h"
#include "ui/fonts.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintEvent>
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
    // A new amount repaints the inside only; the frame is drawn when it is exposed.
    if (!contentsRect().contains(event->rect()))
        QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    // Right-aligned on a baseline centred in the box; the plain overload lays out nothing.
    const QRawFont &shownFace = face(font().pixelSize());
    const QRect box = contentsRect();
    const int baseline =
        box.top() + (box.height() + qRound(shownFace.ascent()) - qRound(shownFace.descent())) / 2;
    QList<quint32> indexes;
    QList<QPointF> positions;
    qreal x = box.right() + 1 - Margin - textWidth(shown_, font().pixelSize());
    for (const QChar c : shown_) {
        auto glyph = glyphs_.constFind(c.unicode());
        if (glyph == glyphs_.cend()) {
            const QList<quint32> index = shownFace.glyphIndexesForString(QString(c));
            const QList<QPointF> advance = shownFace.advancesForGlyphIndexes(index);
            glyph = glyphs_.insert(c.unicode(), {index.value(0), advance.value(0).x()});
        }
        indexes << glyph->first;
        positions << QPointF(x, baseline);
        x += glyph->second;
    }
    if (indexes.contains(0u)) {
        // A character the face lacks (the Persian decimal separator in a Latin face) is drawn
        // by the painter, which finds it in another font, never left out of the amount.
        painter.setFont(font());
        painter.drawText(QPointF(positions.value(0).x(), baseline), shown_);
    } else {
        QGlyphRun run;
        run.setRawFont(shownFace);
        run.setGlyphIndexes(indexes);
        run.setPositions(positions);
        if (!drawInk(painter, run))
            painter.drawGlyphRun(QPointF(), run);
    }
    FigureActions::paintFocusMark(this, painter);
}

// An amount changes at every key: blending its glyphs' kept ink costs half of drawing the
// run. The first time, the painter draws it too, and only pixels it agrees with are shown.
bool AmountLabel::drawInk(QPainter &painter, const QGlyphRun &run) {
    const QColor text = palette().color(QPalette::WindowText);
    const QColor ground = palette().color(backgroundRole());
    if (inking_ == Inking::Differs || painter.device()->devicePixelRatioF() != 1 ||
        text.alpha() != 255 || ground.alpha() != 255 ||
        palette().brush(backgroundRole()).style() != Qt::SolidPattern)
        return false;
    const QRect box = contentsRect();
    if (inside_.size() != box.size())
        inside_ = QImage(box.size(), QImage::Format_RGB32);
    inside_.fill(ground);
    if (!inkColour_ || inkColour_->colour() != text.rgb() || inkColour_->ground() != ground.rgb())
        inkColour_.emplace(text.rgb(), ground.rgb());
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const QPointF at = positions[i] - box.topLeft();
        ink(run.rawFont(), glyphs[i], GlyphInk::fraction(at))
            .draw(inside_, GlyphInk::whole(at), *inkColour_);
    }
    if (inking_ == Inking::Untried) {
        QImage painted(box.size(), QImage::Format_RGB32);
        painted.fill(ground);
        QPainter check(&painted);
        check.setPen(text);
        check.drawGlyphRun(-box.topLeft(), run);
        check.end();
        inking_ = painted == inside_ ? Inking::Agrees : Inking::Differs;
        if (inking_ == Inking::Differs)
            return false;
    }
    painter.drawImage(box.topLeft(), inside_);
    return true;
}

const GlyphInk &AmountLabel::ink(const QRawFont &face, quint32 glyph, QPointF fraction) {
    const quint64 key = quint64(face.pixelSize()) << 48 | quint64(glyph) << 12 |
                        quint64(fraction.x() * 64) << 6 | quint64(fraction.y() * 64);
    auto found = inks_.constFind(key);
    if (found == inks_.cend())
        found = inks_.insert(key, GlyphInk(face, glyph, fraction));
    return *found;
}

void AmountLabel::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    fit();
}

// Digits, signs and separators do not kern: the sum of their advances is the text's width.
// Each advance is asked of the font once per size, so no text is shaped at every key.
int AmountLabel::textWidth(const QString &text, int pixels) const {
    int sum = 0;
    for (const QChar c : text) {
        const quint32 key = quint32(pixels) << 16 | c.unicode();
        auto advance = advances_.constFind(key);
        if (advance == advances_.cend()) {
            const QRawFont &sized = face(pixels);
            int width = 0;
            if (sized.supportsCharacter(c)) {
                width = qRound(
                    sized.advancesForGlyphIndexes(sized.glyphIndexesForString(c)).value(0).x());
            } else { // drawn from another font, and as wide as it is there
                QFont font = layoutFont_;
                font.setPixelSize(pixels);
                width = QFontMetrics(font, this).horizontalAdvance(c);
            }
            advance = advances_.insert(key, width);
        }
        sum += *advance;
    }
    return sum;
}

const QRawFont &AmountLabel::face(int pixels) const {
    auto found = faces_.constFind(pixels);
    if (found == faces_.cend()) {
        QFont font = layoutFont_;
        font.setPixelSize(pixels);
        found = faces_.insert(pixels, scaledFace(font));
    }
    return *found;
}

bool AmountLabel::fits(const QString &text, int pixels) const {
    return textWidth(text, pixels) <= contentsRect().width() - 2 * Margin;
}

// A smaller font first, as it keeps every digit; then fewer decimals, then the exponent form.
void AmountLabel::fit() {
    QString shown = amount_;
    int pixels = layoutFont_.pixelSize();
    bool fitting = fits(shown, pixels);
    while (!fitting && pixels > FloorPixels)
        fitting = fits(shown, --pixels);
    if (!fitting) {
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
        glyphs_.clear();
    }
    shown_ = shown;
    update(contentsRect());
}

} // namespace margino
