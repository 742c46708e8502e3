// SPDX-License-Identifier: GPL-3.0-or-later
// Build tool: renders an SVG file to a PNG file of the given size, with the renderer the program
// itself draws its pictures with.   svgpng in.svg out.png width height
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: svgpng in.svg out.png width height\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    const QString out = QString::fromLocal8Bit(argv[2]);
    QImage image(std::atoi(argv[3]), std::atoi(argv[4]), QImage::Format_ARGB32_Premultiplied);
    if (!renderer.isValid() || image.isNull()) {
        std::fprintf(stderr, "svgpng: cannot render %s\n", argv[1]);
        return 1;
    }
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    if (!QDir().mkpath(QFileInfo(out).path()) || !image.save(out)) {
        std::fprintf(stderr, "svgpng: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
