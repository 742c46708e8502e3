// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a row of LCD cells shows of a result text: all of it when it fits, else the text with
// trailing decimals cut, else a shorter exponent form; an integer digit or an exponent is
// never lost. The full text stays with the caller.

#include <QLocale>
#include <QString>

namespace margino {

// The text to draw in a row of `cells` cells, one character a cell. A number whose integer
// digits or exponent would not fit is shown in the shorter exponent form that fits best; the
// locale's decimal separator is drawn as the point mark whatever character it is.
QString panelText(const QString &caption, int cells, const QLocale &locale);

} // namespace margino
