// SPDX-License-Identifier: GPL-3.0-or-later
#include "fonts.h"

#include <QStringList>

namespace margino {

namespace {

// Asked for by their Debian names: looking up an absent family first costs a font-database
// search at every start before the substitute is found. One family each: a second one named
// makes the font system list every fallback face at start, not when a character needs one.
QString debianFamily(const QString &family) {
    if (family == u"MS Sans Serif")
        return QStringLiteral("Liberation Sans");
    if (family == u"Times New Roman")
        return QStringLiteral("Liberation Serif");
    return family;
}

} // namespace

QFont layoutFont(const QString &family, double points, bool bold) {
    QFont font;
    font.setFamilies({debianFamily(family)});
    font.setPixelSize(int(points * 96 / 72 + 0.5));
    font.setBold(bold);
    return font;
}

QRawFont scaledFace(const QFont &font) {
    QFont base = font;
    base.setPixelSize(layoutFont(QString(), 8.25).pixelSize());
    QRawFont face = QRawFont::fromFont(base);
    if (font.pixelSize() > 0)
        face.setPixelSize(font.pixelSize());
    return face;
}

} // namespace margino
