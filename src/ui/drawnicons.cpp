// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawnicons.h"

#include "ui/artwork.h"
#include "ui/shadedpanel.h"

#include <QApplication>
#include <QGroupBox>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyleOption>
#include <QWidget>
#include <qdrawutil.h>

namespace margino {

namespace {

// Two chevrons pointing the way the hidden commands lie, in the button text colour; drawn when
// a menu bar too narrow for its commands first shows them, which most never do.
class Chevrons : public QIconEngine {
public:
    Chevrons(bool down, const QColor &colour) : down_(down), colour_(colour) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        painter->setPen(QPen(colour_, 1.5));
        if (down_) {
            painter->translate(16, 0);
            painter->rotate(90);
        }
        for (const qreal x : {4.0, 9.0}) {
            QPainterPath path;
            path.moveTo(x, 4);
            path.lineTo(x + 3.5, 8);
            path.lineTo(x, 12);
            painter->drawPath(path);
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        painter.end();
        if (mode != QIcon::Disabled)
            return pixmap;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
    }

    QIconEngine *clone() const override { return new Chevrons(*this); }

private:
    bool down_;
    QColor colour_;
};

} // namespace

QIcon DrawnIconsStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                    const QWidget *widget) const {
    const QPalette palette = widget ? widget->palette() : QApplication::palette();
    switch (icon) {
    case SP_ToolBarHorizontalExtensionButton:
    case SP_ToolBarVerticalExtensionButton:
        return QIcon(new Chevrons(icon == SP_ToolBarVerticalExtensionButton,
                                  palette.color(QPalette::ButtonText)));
    default:
        return QProxyStyle::standardIcon(icon, option, widget);
    }
}

bool DrawnIconsStyle::overFusion() const {
    return baseStyle()->name() == QLatin1String("fusion");
}

void DrawnIconsStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                    QPainter *painter, const QWidget *widget) const {
    if (element == PE_PanelLineEdit && drawKeptPanel(option, painter, widget))
        return;
    if (element == PE_FrameGroupBox && overFusion())
        drawGroupBoxFrame(option, painter, widget);
    else
        QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// A QFrame's sunken or raised panel: Fusion strokes each of its lines as a path.
void DrawnIconsStyle::drawControl(ControlElement element, const QStyleOption *option,
                                  QPainter *painter, const QWidget *widget) const {
    const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
    if (element == CE_ShapedFrame && frame && overFusion() && drawShadedPanel(*painter, *frame))
        return;
    QProxyStyle::drawControl(element, option, painter, widget);
}

// A group box without a title or a check box is its frame alone; Fusion measures the empty
// title's place twice, laying its text out each time, before it draws that frame.
void DrawnIconsStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex *option,
                                         QPainter *painter, const QWidget *widget) const {
    const auto *box = qstyleoption_cast<const QStyleOptionGroupBox *>(option);
    if (control != CC_GroupBox || !box || !box->text.isEmpty() ||
        (box->subControls & SC_GroupBoxCheckBox) || !overFusion()) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    if (!(box->subControls & SC_GroupBoxFrame))
        return;
    QStyleOptionFrame frame;
    frame.QStyleOption::operator=(*box);
    frame.features = box->features;
    frame.lineWidth = box->lineWidth;
    frame.midLineWidth = box->midLineWidth;
    frame.rect = proxy()->subControlRect(CC_GroupBox, option, SC_GroupBoxFrame, widget);
    proxy()->drawPrimitive(PE_FrameGroupBox, &frame, painter, widget);
}

// Fusion's group box frame: its picture stretched around the box below the title, as Fusion
// draws it, but from the pixels the build stored rather than a PNG decoded at the first frame.
void DrawnIconsStyle::drawGroupBoxFrame(const QStyleOption *option, QPainter *painter,
                                        const QWidget *widget) const {
    if (groupBoxFrame_.isNull())
        groupBoxFrame_ =
            QPixmap::fromImage(storedPixels(QStringLiteral(":/images/fusion-groupbox.argb")));
    if (groupBoxFrame_.isNull()) {
        QImageReader reader(
            QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png"),
            "png");
        reader.setAutoDetectImageFormat(false);
        groupBoxFrame_ = QPixmap::fromImage(reader.read());
    }
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    const int titleMargin = 3;
    const int top = box && !box->isCheckable() && box->title().isEmpty()
                        ? titleMargin
                        : qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                               option->fontMetrics.height()) +
                              titleMargin;
    qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0), QMargins(6, 6, 6, 6),
                      groupBoxFrame_);
}

// A line edit's panel is drawn anew at each key, its antialiased outline a third of the key's
// cost. Where the widget fills its own ground with a plain colour, the panel over that ground
// is the same pixels every time: the style draws it once and it is copied after.
bool DrawnIconsStyle::drawKeptPanel(const QStyleOption *option, QPainter *painter,
                                    const QWidget *widget) const {
    const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option);
    if (!frame || !widget || !widget->autoFillBackground() ||
        painter->device()->devicePixelRatioF() != 1 ||
        painter->transform().type() > QTransform::TxTranslate)
        return false;
    const QBrush ground = widget->palette().brush(widget->backgroundRole());
    // Plain colours only: a gradient or a picture would depend on where the panel stands.
    if (ground.style() != Qt::SolidPattern || !ground.color().isValid() ||
        ground.color().alpha() != 255 || frame->palette.base().style() != Qt::SolidPattern)
        return false;
    const PanelKey key{frame->rect.width(),   frame->rect.height(),      int(frame->state),
                       frame->lineWidth,      frame->midLineWidth,       int(frame->features),
                       int(frame->direction), frame->palette.cacheKey(), ground.color().rgb()};
    auto kept = panels_.constFind(key);
    if (kept == panels_.cend()) {
        if (panels_.size() > 32)
            panels_.clear();
        QPixmap panel(frame->rect.size());
        panel.fill(ground.color());
        QPainter drawing(&panel);
        QStyleOptionFrame atOrigin = *frame;
        atOrigin.rect.moveTopLeft(QPoint(0, 0));
        baseStyle()->drawPrimitive(PE_PanelLineEdit, &atOrigin, &drawing, widget);
        drawing.end();
        kept = panels_.insert(key, panel);
    }
    painter->drawPixmap(frame->rect.topLeft(), *kept);
    return true;
}

void installStyle() {
    // The proxy takes the application's style as its base, and with it that style's ownership.
    QApplication::setStyle(new DrawnIconsStyle(QApplication::style()));
}

} // namespace margino
