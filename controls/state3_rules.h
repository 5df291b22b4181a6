// The three-state button's rules, free of the platform: the next state.
#pragma once

#include <cstdint>

#include "controls/control_math.h"

namespace state3_rules {

// A left press: (state + 1) mod 3 in 32-bit arithmetic, the remainder taking the sign of the
// dividend (C++'s %). 0 -> 1 -> 2 -> 0, any value of 2 or more lands in 0..2, a negative one
// climbs towards 0 (-5 -> -1 -> 0), and the largest value steps to the smallest (-2 after the
// remainder) instead of overflowing.
constexpr std::int32_t NextState(std::int32_t state) {
    return control_math::Add32(state, 1) % 3;
}

}  // namespace state3_rules
