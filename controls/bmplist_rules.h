// The bitmap list's rules, free of the platform: the steps of the buttons and the wheel, and
// which image a paint draws.
#pragma once

#include <cstdint>

#include "controls/control_math.h"

namespace bmplist_rules {

// A left press: one image on; a position that reaches count stops at count - 1 (nothing holds
// it at 0, so with no images it lands on -1).
constexpr std::int32_t ForwardPosition(std::int32_t pos, std::int32_t count) {
    pos = control_math::StepPosition(pos, 1);
    return pos >= count ? control_math::Sub32(count, 1) : pos;
}

// A right press: one image back; a position below 0 stops at 0.
constexpr std::int32_t BackPosition(std::int32_t pos) {
    pos = control_math::StepPosition(pos, -1);
    return pos < 0 ? 0 : pos;
}

// The wheel, one image whatever the delta: above 0 back, 0 and below on; then the low bound,
// then the high one.
constexpr std::int32_t WheelPosition(std::int32_t pos, std::int16_t delta, std::int32_t count) {
    pos = control_math::StepPosition(pos, delta > 0 ? -1 : 1);
    return control_math::ClampLowFirst(pos, 0, control_math::Sub32(count, 1));
}

// The table entry a paint draws: pos held to 0..count - 1, so that a position set from outside
// the table shows its nearest end; -1 (nothing) without images.
constexpr std::int32_t ImageIndex(std::int32_t pos, std::int32_t count) {
    return count < 1 ? -1 : control_math::ClampLowFirst(pos, 0, count - 1);
}

}  // namespace bmplist_rules
