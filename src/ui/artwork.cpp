// SPDX-License-Identifier: GPL-3.0-or-later
#include "artwork.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QResource>
#include <cstring>

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

// At 1x and 2x the build has already drawn the vector file with the same renderer, to raw
// pixels stored uncompressed (a size, then premultiplied ARGB32 rows): showing them is a copy.
// Other ratios, or a resource that is not what the build wrote, draw the vector file here.
QPixmap picture(const QString &name, QSize size) {
    const qreal ratio = screenRatio();
    if (ratio == 1 || ratio == 2) {
        const QResource pixels(QStringLiteral(":/images/%1@%2x.argb").arg(name).arg(int(ratio)));
        quint32 stored[2] = {};
        if (pixels.isValid() && pixels.compressionAlgorithm() == QResource::NoCompression &&
            pixels.size() >= qint64(sizeof stored)) {
            std::memcpy(stored, pixels.data(), sizeof stored);
            const QSize wanted = size * ratio;
            if (stored[0] == quint32(wanted.width()) && stored[1] == quint32(wanted.height()) &&
                pixels.size() == qint64(sizeof stored) + qint64(stored[0]) * stored[1] * 4) {
                QImage image(wanted, QImage::Format_ARGB32_Premultiplied);
                for (int y = 0; y < image.height(); ++y)
                    std::memcpy(image.scanLine(y),
                                pixels.data() + sizeof stored + qsizetype(y) * wanted.width() * 4,
                                wanted.width() * 4);
                QPixmap pixmap = QPixmap::fromImage(std::move(image));
                pixmap.setDevicePixelRatio(ratio);
                return pixmap;
            }
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
