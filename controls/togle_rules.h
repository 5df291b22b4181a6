// The bitmap toggle's own rules, free of the platform: image choice and window size (its
// check rules, which the on/off switch shares, are check_rules.h's).
#pragma once

#include <cstdint>

namespace togle_rules {

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
