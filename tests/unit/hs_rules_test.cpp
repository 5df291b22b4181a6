#include "controls/hs_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

using namespace hs_rules;

TEST(HSRules, PointerWheelAndGeometryTables) {
    const std::int32_t pointer[][5] = {  // x, trackRight, trackLeft, maxPos -> position
        {100, 200, 4, 127, 63}, {0, 200, 4, 127, 2}, {0xFFFF, 200, 4, 127, 127},
        {100, 0, 4, 127, 0},    {100, -10, -20, 127, 127}, {100, 200, 4, 0, 0}};  // no division by zero
    for (const auto& c : pointer)
        EXPECT_EQ(PointerPosition(static_cast<std::uint16_t>(c[0]), c[1], c[2], c[3]), c[4]) << c[0] << " " << c[1];
    const Rect bar = BarRect(true, 99, {0, 0, 210, 30});
    const std::int32_t checks[][2] = {  // result -> expected
        {WheelStep(127), 8}, {WheelStep(100), 6}, {WheelStep(14), 0}, {WheelStep(-17), -1}, {WheelStep(524287), -32768},
        {WheelPosition(64, 120, 127), 72}, {WheelPosition(64, 0, 127), 56}, {WheelPosition(20, 120, 10), 10},
        {BarLength(63, 200, 4, 127), 99}, {BarLength(0, 200, 4, 127), 4}, {BarLength(1000, 200, 4, 127), 200},
        {BarLength(63, 200, 300, 127), 300}, {BarLength(63, 200, 4, 0), 4},  // trackLeft's test wins; maxPos 0
        {bar.left, 3}, {bar.top, 3}, {bar.right, 102}, {bar.bottom, 28}, {BarRect(false, 99, {0, 0, 210, 30}).right, 208},
        {ThumbLeft(99, 9), 95}, {ThumbLeft(2, 9), 0}, {ValueTextLeft(210, 3), 187}};
    for (const auto& c : checks) EXPECT_EQ(c[0], c[1]) << &c - checks;
}

TEST(HSRules, ValueTextTable) {
    const std::int32_t cases[][6] = {  // pos, offset, rangeLow, rangeHigh, maxPos -> value
        {64, 0, 0, 100, 127, 50},     {64, 7, 0, 0, 127, 71},      {0, 0, 0xFFCE, 50, 127, -50},
        {127, 0, 0xFFCE, 50, 127, 50}, {127, 0, 0x8000, 0x7FFF, 127, 32767},  // 16-bit span and sum
        {127, 0, 10, 0, 127, 0},       {300, 0, 0, 100, 127, 236},  {64, 0, 0, 100, 0, 0}};
    for (const auto& c : cases) EXPECT_EQ(DisplayValue(c[0], c[1], c[2], c[3], c[4]), c[5]) << c[0] << " " << c[2];
    char text[kValueTextSize];
    const char dB[kSuffixSize] = "dB", full[kSuffixSize] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
    EXPECT_EQ(FormatValueText(text, -50, dB), 5);
    EXPECT_STREQ(text, "-50dB");
    EXPECT_EQ(FormatValueText(text, 7, full), 9);  // a suffix without its NUL: its 8 bytes
    EXPECT_STREQ(text, "7abcdefgh");
    char caption[kCaptionSize];
    std::memset(caption, 'x', sizeof caption);
    EXPECT_EQ(control_math::BoundedLength(caption), 32);
}

}  // namespace
