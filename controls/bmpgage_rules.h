// The bitmap gauge's rules, free of the platform: where the filled part ends and the empty
// part begins.
#pragma once

#include <cstdint>

#include "controls/control_math.h"

namespace bmpgage_rules {

constexpr std::int32_t kFullLevel = 100;

// a = (right - left) * level / 100, truncated toward zero. The product is taken whole, so a
// level far outside 0..100 never overflows; a beyond 32 bits is held at the nearest 32-bit value.
constexpr std::int32_t FilledWidth(std::int32_t left, std::int32_t right, std::int32_t level) {
    return control_math::MulDivTrunc(control_math::Sub32(right, left), level, kFullLevel);
}

// The two rectangles' inner edges: the filled part ends (exclusive) at left + a, the empty part
// starts at left + a - 1, on the filled part's right border column. Held to 32 bits.
struct Edges {
    std::int32_t filledRight;
    std::int32_t emptyLeft;
};
constexpr Edges GageEdges(std::int32_t left, std::int32_t right, std::int32_t level) {
    const std::int64_t edge = static_cast<std::int64_t>(left) + FilledWidth(left, right, level);
    return {control_math::Hold32(edge), control_math::Hold32(edge - 1)};
}

}  // namespace bmpgage_rules
