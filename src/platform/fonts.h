#pragma once
// The window layouts name the classic Windows fonts; this maps them to Debian's
// metric-compatible families so that every caption fits the box the layout gives it.

namespace margino {

void installFontSubstitutes();

} // namespace margino
