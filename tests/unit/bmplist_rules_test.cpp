#include "controls/bmplist_rules.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using namespace bmplist_rules;

// One image per input: a left press is held only at count - 1, a right press only at 0, the
// wheel (above 0 back, 0 and below on) at 0 first and then at count - 1. A paint's image is
// held to the table, none without images.
TEST(BmpListSteps, PressesWheelAndTheImageDrawn) {
    enum Input { Left, Right, Wheel, Image };
    const struct { Input input; std::int32_t pos; std::int16_t delta; std::int32_t count, expected; } cases[] = {
        {Left, 0, 0, 3, 1}, {Left, 2, 0, 3, 2}, {Left, 7, 0, 3, 2}, {Left, 0, 0, 0, -1}, {Left, INT32_MAX, 0, 3, INT32_MIN},
        {Right, 1, 0, 3, 0}, {Right, 0, 0, 3, 0}, {Right, 7, 0, 3, 6}, {Wheel, 1, 120, 3, 0}, {Wheel, 0, 120, 3, 0},
        {Wheel, 1, -120, 3, 2}, {Wheel, 2, -120, 3, 2}, {Wheel, 1, 0, 3, 2}, {Wheel, 1, 360, 3, 0}, {Wheel, 0, -1, 1, 0},
        {Wheel, 7, 120, 3, 2}, {Wheel, -3, -120, 3, 0}, {Wheel, 0, -120, 0, -1}, {Image, 7, 0, 3, 2}, {Image, -2, 0, 3, 0},
        {Image, 1, 0, 3, 1}, {Image, 0, 0, 0, -1},
    };
    for (const auto& c : cases) {
        const std::int32_t got = c.input == Left    ? ForwardPosition(c.pos, c.count)
                                 : c.input == Right ? BackPosition(c.pos)
                                 : c.input == Wheel ? WheelPosition(c.pos, c.delta, c.count)
                                                    : ImageIndex(c.pos, c.count);
        EXPECT_EQ(got, c.expected) << "input " << c.input << " at " << c.pos << " delta " << c.delta << " of " << c.count;
    }
}

}  // namespace
