// SPDX-License-Identifier: GPL-3.0-or-later
#include "artwork.h"

#include <QGuiApplication>
#include <QImageReader>

namespace margino {

namespace {

// The screens' highest pixel ratio: a picture made for it is as sharp at 1,5x or 2x as at 1x.
qreal screenRatio() {
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

// Drawn from the vector file by the SVG image plugin, the renderer the build draws the PNGs
// with; the plugin, and Qt's SVG library with it, is loaded only when a picture is drawn here.
QPixmap render(const QString &name, QSize size, qreal ratio) {
    QImageReader reader(QStringLiteral(":/images/%1.svg").arg(name), "svg");
    reader.setAutoDetectImageFormat(false);
    reader.setScaledSize(size * ratio);
    QPixmap pixmap = QPixmap::fromImage(reader.read());
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

// At 1x and 2x the build has already drawn the vector file with the same renderer; reading
// its PNG costs a fraction of drawing it at each start. Other ratios draw it here. The reader
// is told the format, so it does not load every image plugin to ask who reads PNG.
QPixmap picture(const QString &name, QSize size) {
    const qreal ratio = screenRatio();
    if (ratio == 1 || ratio == 2) {
        QImageReader reader(QStringLiteral(":/images/%1@%2x.png").arg(name).arg(int(ratio)), "png");
        reader.setAutoDetectImageFormat(false);
        QPixmap pixmap = QPixmap::fromImage(reader.read());
        if (!pixmap.isNull()) {
            pixmap.setDevicePixelRatio(ratio);
            return pixmap;
        }
    }
    return render(name, size, ratio);
}

} // namespace

QPixmap calculatorPicture() {
    return picture(QStringLiteral("calculator"), QSize(70, 106));
}

QIcon windowIcon32() {
    return QIcon(picture(QStringLiteral("margino-icon"), QSize(32, 32)));
}

QPixmap aboutBanner() {
    return render(QStringLiteral("vellutra-banner"), QSize(57, 160), screenRatio());
}

} // namespace margino
