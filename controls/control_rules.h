// The controls' arithmetic, free of the platform: the spinner's wrap rule and steps, and the
// toggle's check-state and size rules. The window procedures call these; the native unit
// tests check them as tables.
#pragma once

#include <cstdint>

namespace control_rules {

// --- Two-digit spinner -------------------------------------------------------------------

// The wrap rule: a position below 0 becomes maxPos; then a position above maxPos becomes
// resetPos. Applied in that order, so with a negative maxPos a negative position ends at
// maxPos, and a resetPos outside 0..maxPos is taken as given.
constexpr std::int32_t WrapPosition(std::int32_t pos, std::int32_t maxPos, std::int32_t resetPos) {
    if (pos < 0) pos = maxPos;
    if (pos > maxPos) pos = resetPos;
    return pos;
}

// pos + step in 32-bit two's complement: stepping past the largest position lands on the
// smallest (negative) one, which the wrap rule then turns into maxPos. Written without
// signed overflow.
constexpr std::int32_t StepPosition(std::int32_t pos, std::int32_t step) {
    const std::uint32_t sum = static_cast<std::uint32_t>(pos) + static_cast<std::uint32_t>(step);
    return sum <= 0x7FFFFFFFu ? static_cast<std::int32_t>(sum)
                              : -static_cast<std::int32_t>(~sum) - 1;
}

// A left click: one step up, then the wrap rule.
constexpr std::int32_t ClickPosition(std::int32_t pos, std::int32_t maxPos, std::int32_t resetPos) {
    return WrapPosition(StepPosition(pos, 1), maxPos, resetPos);
}

// The wheel: a delta above 0 steps up; 0 and below step down. Then the wrap rule.
constexpr std::int32_t WheelPosition(std::int32_t pos, std::int16_t delta, std::int32_t maxPos,
                                     std::int32_t resetPos) {
    return WrapPosition(StepPosition(pos, delta > 0 ? 1 : -1), maxPos, resetPos);
}

// --- Bitmap toggle -----------------------------------------------------------------------

// BM_SETCHECK stores only exactly 0 or exactly 1 (the whole message parameter is compared);
// any other value keeps the current state.
constexpr std::int32_t AcceptCheck(std::int32_t current, std::uint64_t requested) {
    return requested == 0u || requested == 1u ? static_cast<std::int32_t>(requested) : current;
}

// A left press flips: on becomes off, anything else becomes on.
constexpr std::int32_t FlipCheck(std::int32_t current) {
    return current == 0 ? 1 : 0;
}

// The on image shows only for a state of exactly 1.
constexpr bool ShowsOnImage(std::int32_t state) {
    return state == 1;
}

struct Size {
    std::int32_t width;
    std::int32_t height;
};

// The toggle's window takes the size of its on image. When that image could not be loaded
// the off image's size stands in (the toggle still shows and answers clicks in its off
// state); with neither image the window is empty, 0 x 0.
constexpr Size TogleSize(bool haveOn, Size on, bool haveOff, Size off) {
    return haveOn ? on : haveOff ? off : Size{0, 0};
}

}  // namespace control_rules
