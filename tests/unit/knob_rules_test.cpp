#include "controls/knob_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <sstream>
#include <string>

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

#if DESK_TRIG_HAS_X87
// The 32-bit build's knob takes its sine, cosine and arc tangent from the x87: over client sizes,
// ranges (with values far beyond them) and every pointer in and around the client it places the
// marker and answers the position exactly as with the C library's.
TEST(KnobRules, TheX87sTrigGivesTheLibrarysMarkersAndPositions) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min(), kMax = std::numeric_limits<std::int32_t>::max();
    const std::int32_t ranges[][2] = {{0, 127}, {0, 24}, {-50, 50}, {5, 5}, {0, 1}, {0, 100000}, {kMin, kMax}};
    long compared = 0, differing = 0;
    std::ostringstream first;
    const auto differs = [&](bool different, std::int32_t size, const std::int32_t* range, std::int32_t a, std::int32_t b) {
        ++compared;
        if (different && differing++ == 0) first << "size " << size << ", " << range[0] << ".." << range[1] << " at " << a << "," << b;
    };
    for (std::int32_t size = 2; size <= 130; ++size) {
        const Geometry g = FromClientSize(size, size);
        for (const auto& r : ranges) {
            const std::int64_t span = std::int64_t{r[1]} - r[0] + 1, low = r[0] - span, step = span * 3 / 300 + 1;
            std::int32_t values[305] = {kMin, kMax, kMin + 1, kMax - 1, 0};  // and 300 from min - span up
            for (int i = 5; i < 305; ++i) values[i] = control_math::Hold32(low + (i - 5) * step);
            for (const std::int32_t v : values) {
                const Point x87 = MarkerOrigin<trig::X87>(v, r[0], r[1], g, 6), library = MarkerOrigin<trig::Library>(v, r[0], r[1], g, 6);
                differs(x87.x != library.x || x87.y != library.y, size, r, v, 0);
            }
            if (size % 4 != 2) continue;
            for (std::int32_t y = 0; y <= size + 1; ++y) {
                for (std::int32_t x = 0; x <= size + 1; ++x) {
                    const auto px = static_cast<std::uint16_t>(x), py = static_cast<std::uint16_t>(y);
                    differs(PointerPosition<trig::X87>(px, py, g, r[0], r[1]) != PointerPosition<trig::Library>(px, py, g, r[0], r[1]),
                            size, r, x, y);
                }
            }
        }
    }
    EXPECT_EQ(differing, 0) << "of " << compared << ", first: " << first.str();
    EXPECT_GT(compared, 1000000);
}
#endif

}  // namespace
