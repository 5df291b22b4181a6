// The bitmap text's rules, free of the platform: which strip cell a character takes, how many
// cells a paint draws, and the in-place upper-casing of the text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "controls/control_math.h"

namespace bmptext_rules {

constexpr std::int32_t kCellWidth = 6;
constexpr std::int32_t kCellHeight = 7;
constexpr std::int32_t kTextBytes = 32;
constexpr std::size_t kSetTextLimit = 31;  // WM_SETTEXT keeps at most 30 characters and the NUL

constexpr std::int32_t kOtherMarkCell = 36;  // every other character from the full stop up
constexpr std::int32_t kBelowMarkCell = 38;  // below the full stop, and every byte from 0x80 up

// The strip cell of a character, taken as a signed 8-bit number (bytes from 0x80 up are
// negative): A..Z are cells 0..25, 0..9 cells 26..35.
constexpr std::int32_t CellOf(char c) {
    const std::int32_t ch = static_cast<std::int8_t>(c);
    if (ch >= 'A' && ch <= 'Z') return ch - 0x41;
    if (ch >= '0' && ch <= '9') return ch - 0x16;
    if (ch >= '.') return kOtherMarkCell;
    return kBelowMarkCell;
}

// The number of cells a paint draws: length as its creator set it, held to 0..32 so that no
// cell is read from beyond the 32-byte text and the composition is never of negative width.
constexpr std::int32_t CellsDrawn(std::int32_t length) {
    return control_math::ClampLowFirst(length, 0, kTextBytes);
}

// Upper-cases the text in place up to its NUL, and never beyond size bytes: a..z become A..Z,
// every other byte stays as it is.
inline void UpperCaseInPlace(char* text, std::size_t size) {
    for (std::size_t i = 0; i < size && text[i] != '\0'; ++i)
        if (text[i] >= 'a' && text[i] <= 'z') text[i] = static_cast<char>(text[i] - 'a' + 'A');
}

}  // namespace bmptext_rules
