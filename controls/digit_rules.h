// The digit display's rules, free of the platform: the decimal text of its value and the three
// glyph indices drawn for it.
#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>

#include "controls/control_math.h"

namespace digit_rules {

constexpr std::int32_t kLargestShown = 999;  // three glyphs
constexpr std::size_t kTextBytes = 12;       // "-2147483648" and the NUL

struct Glyphs {
    std::int32_t hundreds, tens, units;  // glyph d of the strip starts at x = 6 * d
};

// The value as the integer-to-text conversion writes it in base 10, a negative one with a
// minus sign; NUL-terminated. Returns its length.
inline std::size_t DecimalText(std::int32_t value, char (&text)[kTextBytes]) {
    char* end = std::to_chars(text, text + kTextBytes - 1, value).ptr;
    *end = '\0';
    return static_cast<std::size_t>(end - text);
}

// The glyph indices chosen by the text's length: "u" gives 0 0 u, "tu" gives 0 t u, "htu"
// gives h t u, each index the character's code minus that of the digit zero.
constexpr Glyphs GlyphsOfText(const char* text, std::size_t length) {
    const auto index = [text](std::size_t i) { return static_cast<std::int32_t>(text[i]) - '0'; };
    if (length == 1) return {0, 0, index(0)};
    if (length == 2) return {0, index(0), index(1)};
    return {index(0), index(1), index(2)};
}

// The glyphs the display draws for a value: 0 to 999 as its text says; a value outside them
// as the nearest bound (000 below, 999 above), so that no index ever falls outside the strip's
// ten digits and no text is longer than three characters.
inline Glyphs ShownGlyphs(std::int32_t value) {
    char text[kTextBytes];
    const std::size_t length = DecimalText(control_math::ClampLowFirst(value, 0, kLargestShown), text);
    return GlyphsOfText(text, length);
}

}  // namespace digit_rules
