#include "controls/vs_rules.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using namespace vs_rules;

TEST(VSRules, PointerStepAndThumbTables) {
    const std::int32_t pointer[][5] = {  // y, trackBottom, trackTop, maxPos -> position
        {50, 100, 10, 127, 63}, {10, 100, 10, 127, 114}, {0, 100, 10, 127, 114}, {0xFFFF, 100, 10, 127, 0},
        {50, 100, 60, 127, 50}, {50, 20, 60, 127, 0},    // held at trackTop; trackBottom's test wins
        {0, 100, 10, -127, -114},                         // -114.3 truncates toward zero
        {50, 0, 10, 127, 0}, {50, -5, -20, 127, 0}, {50, 100, 10, 0, 0}};  // no division by zero
    for (const auto& c : pointer)
        EXPECT_EQ(PointerPosition(static_cast<std::uint16_t>(c[0]), c[1], c[2], c[3]), c[4]) << c[0] << " " << c[1];
    const std::int32_t settled[][2] = {  // result -> expected
        {KeyPosition(10, kKeyUp, 8, 127), 18}, {KeyPosition(10, kKeyDown, 8, 127), 2},
        {KeyPosition(200, 0x41, 8, 127), 127}, {KeyPosition(3, 0x41, 8, -5), -5},  // any key clamps; high test wins
        {WheelPosition(10, 0, 8, 127), 2},     {WheelPosition(INT32_MAX, 1, 1, INT32_MAX), 0}};  // wraps, then clamps
    for (const auto& c : settled) EXPECT_EQ(c[0], c[1]);
    const std::int32_t thumbs[][8] = {  // pos, trackBottom, maxPos, back width, w, h -> x, y
        {63, 100, 127, 20, 10, 11, 5, 46},  {0, 100, 127, 20, 10, 11, 5, 95},  {127, 100, 127, 20, 10, 11, 5, 0},
        {1000, 100, 127, 20, 10, 11, 5, 0}, {-20, 100, 127, 20, 10, 11, 5, 110},  // no lower bound
        {63, 100, 0, 20, 10, 11, 5, 95},    {0, 100, 127, 8, 11, 11, -1, 95}};     // maxPos 0; -1.5 -> -1
    for (const auto& c : thumbs) {
        const Point p = ThumbOrigin(c[0], c[1], c[2], c[3], c[4], c[5]);
        EXPECT_EQ(p.x * 1000 + p.y, c[6] * 1000 + c[7]) << c[0];
    }
}

}  // namespace
