// Build tool: renders the application icon's SVG to PNG files of the given square sizes, with
// the renderer the program itself draws its window icon with.
//   svgpng icon.svg out-folder name size...   writes out-folder/NxN/apps/name.png
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[]) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: svgpng icon.svg out-folder name size...\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "svgpng: cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 4; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(argv[2]).arg(size);
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        if (!QDir().mkpath(folder) || !image.save(folder + u'/' + argv[3] + ".png")) {
            std::fprintf(stderr, "svgpng: cannot write %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
