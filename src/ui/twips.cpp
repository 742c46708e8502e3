// SPDX-License-Identifier: GPL-3.0-or-later
#include "twips.h"

#include "ui/fonts.h"

#include <QLabel>

namespace margino {

QFont sansSerif(double points, bool bold) {
    return layoutFont(QStringLiteral("MS Sans Serif"), points, bold);
}

QLabel *addTwipsLabel(QWidget *parent, const char *name, const QString &caption, int left, int top,
                      int width, int height) {
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(sansSerif(8.25));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(label, left, top, width, height);
    return label;
}

} // namespace margino
