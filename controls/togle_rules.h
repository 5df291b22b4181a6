// The bitmap toggle's rules, free of the platform: check state, image choice and window size.
#pragma once

#include <cstdint>

namespace togle_rules {

// BM_SETCHECK stores only exactly 0 or exactly 1 (the whole message parameter is compared);
// any other value keeps the current state. The on/off switch follows the same rule.
constexpr std::int32_t AcceptCheck(std::int32_t current, std::uint64_t requested) {
    return requested == 0u || requested == 1u ? static_cast<std::int32_t>(requested) : current;
}

// A left press flips: off becomes on, anything else becomes off.
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

}  // namespace togle_rules
