// SPDX-License-Identifier: GPL-3.0-or-later
#include "glyphs.h"

#include <array>

namespace margino::glyphs {

namespace {

// Segments: 11/12 top halves, 2/3 right side, 41/42 bottom halves, 5/6 left side,
// 71/72 middle halves, 81/82 centre vertical, 91..94 diagonals.
constexpr short Basic[] = {11, 12, 2, 3, 41, 42, 5, 6, 71, 72};

template <std::size_t N> constexpr std::span<const short> s(const short (&list)[N]) {
    return {list, N};
}

// Digit group: lit then unlit, together the ten basic segments.
constexpr short D0[] = {11, 12, 2, 3, 41, 42, 5, 6}, D0u[] = {71, 72};
constexpr short D1[] = {2, 3}, D1u[] = {11, 12, 41, 42, 5, 6, 71, 72};
constexpr short D2[] = {11, 12, 2, 41, 42, 5, 71, 72}, D2u[] = {3, 6};
constexpr short D3[] = {11, 12, 2, 3, 41, 42, 71, 72}, D3u[] = {5, 6};
constexpr short D4[] = {2, 3, 6, 71, 72}, D4u[] = {11, 12, 41, 42, 5};
constexpr short D5[] = {11, 12, 3, 41, 42, 6, 71, 72}, D5u[] = {2, 5};
// A lit top bar, so that "6" never reads as "b".
constexpr short D6[] = {11, 12, 3, 41, 42, 5, 6, 71, 72}, D6u[] = {2};
// The middle bar shows unlit like every other digit's dark segments.
constexpr short D7[] = {11, 12, 2, 3}, D7u[] = {41, 42, 5, 6, 71, 72};
constexpr short D8[] = {11, 12, 2, 3, 41, 42, 5, 6, 71, 72};
constexpr short D9[] = {11, 12, 2, 3, 41, 42, 6, 71, 72}, D9u[] = {5};
constexpr short Minus[] = {71, 72}, MinusU[] = {11, 12, 2, 3, 41, 42, 5, 6};

// Letter group: lit segments only.
constexpr short A[] = {11, 12, 2, 3, 5, 6, 71, 72}, B[] = {11, 12, 2, 3, 41, 42, 72, 81, 82};
constexpr short C[] = {11, 12, 41, 42, 5, 6}, D[] = {11, 12, 2, 3, 41, 42, 81, 82};
constexpr short E[] = {11, 12, 41, 42, 5, 6, 71}, F[] = {11, 12, 5, 6, 71};
constexpr short G[] = {11, 12, 3, 41, 42, 5, 6, 72}, H[] = {2, 3, 5, 6, 71, 72};
constexpr short I[] = {81, 82}, J[] = {2, 3, 41, 42, 5}, K[] = {5, 6, 71, 92, 94};
constexpr short L[] = {41, 42, 5, 6}, M[] = {2, 3, 5, 6, 91, 92}, N[] = {2, 3, 5, 6, 91, 94};
constexpr short O[] = {11, 12, 2, 3, 41, 42, 5, 6}, P[] = {11, 12, 2, 5, 6, 71, 72};
constexpr short Q[] = {11, 12, 2, 3, 41, 42, 5, 6, 94}, R[] = {11, 12, 2, 5, 6, 71, 72, 94};
constexpr short S[] = {11, 12, 3, 41, 42, 6, 71, 72}, T[] = {11, 12, 81, 82};
constexpr short U[] = {2, 3, 41, 42, 5, 6}, V[] = {5, 6, 92, 93}, W[] = {2, 3, 5, 6, 93, 94};
constexpr short X[] = {91, 92, 93, 94}, Y[] = {82, 91, 92}, Z[] = {11, 12, 41, 42, 92, 93};
constexpr short b[] = {3, 41, 42, 5, 6, 71, 72}, c[] = {41, 42, 5, 71, 72};
constexpr short d[] = {2, 3, 41, 42, 5, 71, 72}, h[] = {3, 5, 6, 71, 72}, i[] = {82};
constexpr short l[] = {81, 82}, n[] = {3, 5, 71, 72}, o[] = {3, 41, 42, 5, 71, 72};
constexpr short r[] = {5, 71, 72}, t[] = {41, 42, 5, 6, 71}, u[] = {3, 41, 42, 5};
constexpr short Slash[] = {92, 93}, Backslash[] = {91, 94}, Plus[] = {71, 72, 81, 82};
constexpr short Star[] = {71, 72, 81, 82, 91, 92, 93, 94};

constexpr Glyph digit(char16_t ch, std::span<const short> lit, std::span<const short> unlit) {
    return {ch, true, lit, unlit};
}
constexpr Glyph letter(char16_t ch, std::span<const short> lit) {
    return {ch, false, lit, {}};
}

// In the order characters are compared; the first match wins.
constexpr std::array Table{
    digit(u'0', s(D0), s(D0u)),  digit(u'1', s(D1), s(D1u)),
    digit(u'2', s(D2), s(D2u)),  digit(u'3', s(D3), s(D3u)),
    digit(u'4', s(D4), s(D4u)),  digit(u'5', s(D5), s(D5u)),
    digit(u'6', s(D6), s(D6u)),  digit(u'7', s(D7), s(D7u)),
    digit(u'8', s(D8), {}),      digit(u'9', s(D9), s(D9u)),
    letter(u'A', s(A)),          letter(u'B', s(B)),
    letter(u'C', s(C)),          letter(u'D', s(D)),
    letter(u'E', s(E)),          letter(u'F', s(F)),
    letter(u'G', s(G)),          letter(u'H', s(H)),
    letter(u'I', s(I)),          letter(u'J', s(J)),
    letter(u'K', s(K)),          letter(u'L', s(L)),
    letter(u'M', s(M)),          letter(u'N', s(N)),
    letter(u'O', s(O)),          letter(u'P', s(P)),
    letter(u'Q', s(Q)),          letter(u'R', s(R)),
    letter(u'S', s(S)),          letter(u'T', s(T)),
    letter(u'U', s(U)),          letter(u'V', s(V)),
    letter(u'W', s(W)),          letter(u'X', s(X)),
    letter(u'Y', s(Y)),          letter(u'Z', s(Z)),
    letter(u'b', s(b)),          letter(u'c', s(c)),
    letter(u'd', s(d)),          letter(u'h', s(h)),
    letter(u'i', s(i)),          letter(u'l', s(l)),
    letter(u'n', s(n)),          letter(u'o', s(o)),
    letter(u'r', s(r)),          letter(u't', s(t)),
    letter(u'u', s(u)),          letter(u'/', s(Slash)),
    letter(u'\\', s(Backslash)), digit(u'-', s(Minus), s(MinusU)),
    letter(u'+', s(Plus)),       letter(u'*', s(Star)),
};

} // namespace

const Glyph *find(QChar c) {
    for (const Glyph &glyph : Table) {
        if (glyph.character == c.unicode())
            return &glyph;
    }
    return nullptr;
}

std::span<const short> basicSegments() {
    return s(Basic);
}

} // namespace margino::glyphs
