// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The glyph table: which segments each character lights, and for digits which it shows
// unlit. Drawing the segments and choosing colours is the LCD object's work.

#include <QChar>
#include <span>

namespace margino::glyphs {

struct Glyph {
    char16_t character;
    // Digits and "-" draw their own colours: lit, then unlit. Letters and symbols draw their
    // lit segments in whatever colour the box holds and nothing unlit.
    bool drawsOwnColours;
    std::span<const short> lit;
    std::span<const short> unlit;
};

// The glyph of c, or nullptr for a character the table does not know.
const Glyph *find(QChar c);

// The ten segments an empty cell shows unlit, in drawing order.
std::span<const short> basicSegments();

} // namespace margino::glyphs
