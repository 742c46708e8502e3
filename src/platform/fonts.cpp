#include "fonts.h"

#include <QStringList>

namespace margino {

namespace {

void installSubstitutesOnce() {
    static const bool installed = [] {
        QFont::insertSubstitutions(
            QStringLiteral("MS Sans Serif"),
            {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
        QFont::insertSubstitutions(
            QStringLiteral("Times New Roman"),
            {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

QFont layoutFont(const QString &family, double points, bool bold) {
    installSubstitutesOnce();
    QFont font(family);
    font.setPixelSize(int(points * 96 / 72 + 0.5));
    font.setBold(bold);
    return font;
}

} // namespace margino
