// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: renders an SVG file at the given size, with the renderer the program itself draws
// its pictures with, to a PNG file for the desktop, or to a .argb file of raw pixels the program
// shows without decoding: width and height as two 32-bit numbers, then premultiplied ARGB32
// rows, all in this machine's byte order. A picture of Qt's own resources (":/...") is copied
// as it is, at its own size.   svgrender in.svg|:/qt-picture.png out.png|out.argb width height
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: svgrender in.svg out.png|out.argb width height\n");
        return 2;
    }
    const QString in = QString::fromLocal8Bit(argv[1]), out = QString::fromLocal8Bit(argv[2]);
    // Qt's widget pictures are in its widgets library: naming a symbol of it keeps it linked.
    QImage image =
        in.startsWith(u':') && QWidget::staticMetaObject.className()
            ? QImage(in).convertToFormat(QImage::Format_ARGB32_Premultiplied)
            : QImage(std::atoi(argv[3]), std::atoi(argv[4]), QImage::Format_ARGB32_Premultiplied);
    if (!in.startsWith(u':')) {
        QSvgRenderer renderer(in);
        if (!renderer.isValid() || image.isNull()) {
            std::fprintf(stderr, "svgrender: cannot render %s\n", argv[1]);
            return 1;
        }
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
    } else if (image.isNull()) {
        std::fprintf(stderr, "svgrender: cannot read %s\n", argv[1]);
        return 1;
    }
    bool written = QDir().mkpath(QFileInfo(out).path());
    if (!out.endsWith(QLatin1String(".argb"))) {
        written = written && image.save(out);
    } else {
        const quint32 size[2] = {quint32(image.width()), quint32(image.height())};
        QFile file(out);
        written = written && file.open(QIODevice::WriteOnly) &&
                  file.write(reinterpret_cast<const char *>(size), sizeof size) == sizeof size;
        for (int y = 0; written && y < image.height(); ++y)
            written = file.write(reinterpret_cast<const char *>(image.constScanLine(y)),
                                 image.width() * 4) == image.width() * 4;
        written = written && file.flush();
    }
    if (!written) {
        std::fprintf(stderr, "svgrender: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
