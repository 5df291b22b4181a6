// The vertical slider's rules, free of the platform: the pointer mapping, the key and wheel
// steps with their clamp, and where the thumb is drawn. 32-bit signed arithmetic, every
// division truncating toward zero; a zero divisor gives 0 instead of a crash.
#pragma once

#include <cstdint>

#include "controls/control_math.h"

namespace vs_rules {

constexpr std::uint32_t kKeyUp = 0x26;    // VK_UP
constexpr std::uint32_t kKeyDown = 0x28;  // VK_DOWN

// The pointer's y (the unsigned high word of the message) to a position: held to trackTop
// first and trackBottom last (the bottom wins when trackTop > trackBottom), then
// (trackBottom - y) * maxPos / trackBottom. Not clamped further.
constexpr std::int32_t PointerPosition(std::uint16_t y, std::int32_t trackBottom, std::int32_t trackTop,
                                       std::int32_t maxPos) {
    const std::int32_t held = control_math::ClampLowFirst(y, trackTop, trackBottom);
    return control_math::MulDivTrunc(control_math::Sub32(trackBottom, held), maxPos, trackBottom);
}

// Keys and the wheel settle into 0..maxPos (the low test first, the high test wins).
constexpr std::int32_t Clamp(std::int32_t pos, std::int32_t maxPos) {
    return control_math::ClampLowFirst(pos, 0, maxPos);
}

// The up arrow adds step, the down arrow takes it; any other key keeps the position. Clamped.
constexpr std::int32_t KeyPosition(std::int32_t pos, std::uint32_t key, std::int32_t step, std::int32_t maxPos) {
    if (key == kKeyUp) pos = control_math::Add32(pos, step);
    if (key == kKeyDown) pos = control_math::Sub32(pos, step);
    return Clamp(pos, maxPos);
}

// One step per wheel message: up for a delta above 0, down for 0 and below. Clamped.
constexpr std::int32_t WheelPosition(std::int32_t pos, std::int16_t delta, std::int32_t step, std::int32_t maxPos) {
    return Clamp(delta > 0 ? control_math::Add32(pos, step) : control_math::Sub32(pos, step), maxPos);
}

struct Point {
    std::int32_t x, y;
};

// The thumb's top-left corner in the composition: t = pos * trackBottom / maxPos, held at
// trackBottom from above only; top = trackBottom - thumbHeight / 2 - t, never above 0; left
// centres the thumb on the background's width.
constexpr Point ThumbOrigin(std::int32_t pos, std::int32_t trackBottom, std::int32_t maxPos,
                            std::int32_t backWidth, std::int32_t thumbWidth, std::int32_t thumbHeight) {
    std::int32_t t = control_math::MulDivTrunc(pos, trackBottom, maxPos);
    if (t > trackBottom) t = trackBottom;
    std::int32_t top = control_math::Sub32(control_math::Sub32(trackBottom, thumbHeight / 2), t);
    if (top < 0) top = 0;
    return {control_math::Sub32(backWidth, thumbWidth) / 2, top};
}

}  // namespace vs_rules
