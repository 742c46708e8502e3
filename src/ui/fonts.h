// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window layouts name "MS Sans Serif" and "Times New Roman"; this maps them to Debian's
// metric-compatible families so that every caption fits the box the layout gives it.

#include <QFont>

namespace margino {

// A font of the layouts by the name they give it ("MS Sans Serif", "Times New Roman"), sized in
// points at the 96 dpi the layouts assume, so it keeps its pixel size on any screen.
QFont layoutFont(const QString &family, double points, bool bold = false);

} // namespace margino
