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
// pixels. Other ratios, or pixels that are not what the build wrote, draw the vector file here.
QPixmap picture(const QString &name, QSize size) {
    const qreal ratio = screenRatio();
    if (ratio == 1 || ratio == 2) {
        QImage image =
            storedPixels(QStringLiteral(":/images/%1@%2x.argb").arg(name).arg(int(ratio)));
        if (image.size() == size * ratio) {
            QPixmap pixmap = QPixmap::fromImage(std::move(image));
            pixmap.setDevicePixelRatio(ratio);
            return pixmap;
        }
    }
    return render(name, size, ratio);
}

} // namespace

QImage storedPixels(const QString &resource) {
    const QResource pixels(resource);
    quint32 size[2] = {};
    if (!pixels.isValid() || pixels.compressionAlgorithm() != QResource::NoCompression ||
        pixels.size() < qint64(sizeof size))
        return {};
    std::memcpy(size, pixels.data(), sizeof size);
    if (size[0] > 4096 || size[1] > 4096 ||
        pixels.size() != qint64(sizeof size) + qint64(size[0]) * size[1] * 4)
        return {};
    QImage image{int(size[0]), int(size[1]), QImage::Format_ARGB32_Premultiplied};
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(image.scanLine(y), pixels.data() + sizeof size + qsizetype(y) * size[0] * 4,
                    size[0] * 4);
    return image;
}

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
