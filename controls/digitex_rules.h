// The two-digit spinner's rules, free of the platform: the wrap rule and its steps.
#pragma once

#include <cstdint>

#include "controls/control_math.h"

namespace digitex_rules {

// The wrap rule: a position below 0 becomes maxPos; then a position above maxPos becomes
// resetPos. Applied in that order, so with a negative maxPos a negative position ends at
// maxPos, and a resetPos outside 0..maxPos is taken as given.
constexpr std::int32_t WrapPosition(std::int32_t pos, std::int32_t maxPos, std::int32_t resetPos) {
    if (pos < 0) pos = maxPos;
    if (pos > maxPos) pos = resetPos;
    return pos;
}

// A left click: one step up (wrapping at 32 bits), then the wrap rule.
constexpr std::int32_t ClickPosition(std::int32_t pos, std::int32_t maxPos, std::int32_t resetPos) {
    return WrapPosition(control_math::StepPosition(pos, 1), maxPos, resetPos);
}

// The wheel: a delta above 0 steps up; 0 and below step down. Then the wrap rule.
constexpr std::int32_t WheelPosition(std::int32_t pos, std::int16_t delta, std::int32_t maxPos,
                                     std::int32_t resetPos) {
    return WrapPosition(control_math::StepPosition(pos, delta > 0 ? 1 : -1), maxPos, resetPos);
}

}  // namespace digitex_rules
