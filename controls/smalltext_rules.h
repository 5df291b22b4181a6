// The small text label's rules, free of the platform: where its text stands and how much of
// its text array is read.
#pragma once

#include <cstddef>
#include <cstdint>

#include "controls/control_math.h"

namespace smalltext_rules {

// The text's top-centre x: half the rectangle's width, truncated toward zero.
constexpr std::int32_t TextX(std::int32_t left, std::int32_t right) {
    return control_math::Sub32(right, left) / 2;
}

// The text's length: up to its terminator, and never past the array, so a block filled by hand
// without a terminator is read no further than its own 64 characters.
template <std::size_t N>
constexpr std::size_t TextLength(const char (&text)[N]) {
    std::size_t n = 0;
    while (n < N && text[n] != '\0') ++n;
    return n;
}

}  // namespace smalltext_rules
