// The small text label's rules, free of the platform: where its text stands. (The bounded copy
// of its text is control_math.h's CopyBounded.)
#pragma once

#include <cstddef>
#include <cstdint>

#include "controls/control_math.h"

namespace smalltext_rules {

// The text's top-centre x: half the rectangle's width, truncated toward zero.
constexpr std::int32_t TextX(std::int32_t left, std::int32_t right) {
    return control_math::Sub32(right, left) / 2;
}

}  // namespace smalltext_rules
