#include "artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace margino {

namespace {

QPixmap render(const QString &resource, QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

} // namespace

QPixmap calculatorPicture() {
    return render(QStringLiteral(":/images/calculator.svg"), QSize(70, 106));
}

QIcon windowIcon32() {
    return QIcon(render(QStringLiteral(":/images/margino-icon.svg"), QSize(32, 32)));
}

QPixmap aboutBanner() {
    return render(QStringLiteral(":/images/vellutra-banner.svg"), QSize(57, 160));
}

} // namespace margino
