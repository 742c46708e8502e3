// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window layouts name "MS Sans Serif" and "Times New Roman"; this maps them to Debian's
// metric-compatible families so that every caption fits the box the layout gives it.

#include <QFont>
#include <QRawFont>

namespace margino {

// A font of the layouts by the name they give it ("MS Sans Serif", "Times New Roman"), sized in
// points at the 96 dpi the layouts assume, so it keeps its pixel size on any screen.
QFont layoutFont(const QString &family, double points, bool bold = false);

// The font's face at its pixel size, scaled from the same face at the layouts' 8.25 points.
// The font system sets each size up on its own (about 2 M instructions); the windows' labels
// have already paid for that one, and a face scaled from it draws the same pixels.
QRawFont scaledFace(const QFont &font);

} // namespace margino
