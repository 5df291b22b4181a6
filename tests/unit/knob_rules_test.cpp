#include "controls/knob_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

using namespace knob_rules;

static_assert(kSweep == 3 * kHalfPi, "the sweep is three of the knob's half-pis in double precision");
constexpr Geometry k64 = FromClientSize(64, 64);

TEST(KnobRules, GeometryAngleAndMarkerTable) {
    const std::int32_t checks[][2] = {  // result -> expected
        {k64.centerX, 32}, {k64.centerY, 32}, {k64.radius, 33}, {FromClientSize(65, 41).radius, 21}, {Orbit(33), 13},
        {Truncate(-2.9), -2}, {Truncate(1e300), INT32_MAX}, {Truncate(std::numeric_limits<double>::quiet_NaN()), 0}};
    for (const auto& c : checks) EXPECT_EQ(c[0], c[1]) << &c - checks;
    EXPECT_NEAR(MarkerAngle(64, 0, 127), 1.552243, 1e-6);
    EXPECT_EQ(MarkerAngle(3, 7, 7), -kQuarterTurn);  // empty range: finite, the clockwise end
    const std::int32_t cases[][6] = {  // value, minPos, maxPos, marker width -> x, y
        {64, 0, 127, 0, 32, 20}, {64, 0, 127, 6, 29, 17}, {127, 0, 127, 0, 41, 41},
        {0, 0, 127, 0, 23, 41},  {100, 0, 127, 0, 44, 30}, {5, 7, 7, 0, 41, 41}};
    for (const auto& c : cases) {
        const Point p = MarkerOrigin(c[0], c[1], c[2], k64, c[3]);
        EXPECT_EQ(p.x * 1000 + p.y, c[4] * 1000 + c[5]) << c[0];
    }
}

TEST(KnobRules, PointerAndWheelTables) {
    const std::int32_t cases[][5] = {  // x, y, minPos, maxPos -> value
        {32, 32, 0, 127, 106}, {60, 32, 0, 127, 106}, {0xFFFF, 32, 0, 127, 106},  // the centre is angle 0
        {32, 0, 0, 127, 64},   {0, 32, 0, 127, 22},   {50, 10, 0, 127, 82},
        {32, 50, 0, 127, 0},   {10, 60, 0, 127, 0},   {60, 60, 0, 127, 127},     // below; the dead zones
        {32, 0, -50, 50, 0},   {32, 0, 5, 5, 5}};
    for (const auto& c : cases) {
        const auto x = static_cast<std::uint16_t>(c[0]), y = static_cast<std::uint16_t>(c[1]);
        EXPECT_EQ(PointerPosition(x, y, k64, c[2], c[3]), c[4]) << c[0] << "," << c[1];
    }
    const std::int32_t wheel[][5] = {  // pos, delta, minPos, maxPos -> value
        {64, 120, 0, 127, 48}, {64, -120, 0, 127, 80}, {64, 0, 0, 127, 80}, {10, 120, 0, 127, 0}, {500, 120, 0, 127, 127},
        {5, 120, 10, 0, 0}};
    for (const auto& c : wheel) EXPECT_EQ(WheelPosition(c[0], static_cast<std::int16_t>(c[1]), c[2], c[3]), c[4]) << c[0];
}

}  // namespace
