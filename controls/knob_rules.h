// The rotary knob's rules, free of the platform: centre and orbit, the marker's angle and
// place for a value, the value for a pointer angle, and the wheel. Angles in radians,
// counter-clockwise from the right with y pointing up, in double precision, with the knob's own
// decimal constants (not exact multiples of pi); conversions to integers truncate toward zero.
// The sine, cosine and arc tangent are trig::Default's (controls/trig.h); Trig picks another.
#pragma once

#include <cmath>
#include <cstdint>

#include "controls/control_math.h"
#include "controls/trig.h"

namespace knob_rules {

constexpr double kQuarterTurn = 0.785398;         // about pi/4
constexpr double kHalfPi = 1.570796;              // about pi/2
constexpr double kSweepStart = 3.92699;           // about 5pi/4: the counter-clockwise end
constexpr double kSweep = 4.712388000000001;      // 3 x 1.570796: the 270-degree sweep
constexpr double kFullTurn = 6.283184;            // about 2pi
constexpr double kPerSweep = 0.21220663493753059; // 1 / kSweep
constexpr std::int32_t kWheelStep = 16;

struct Geometry {
    std::int32_t centerX, centerY, radius;
};

// From the client size at creation: the centre halves it, the radius is the smaller half + 1.
constexpr Geometry FromClientSize(std::int32_t width, std::int32_t height) {
    const std::int32_t cx = width / 2, cy = height / 2;
    return {cx, cy, control_math::Add32(cx < cy ? cx : cy, 1)};
}

// The radius of the marker's circle: radius * 40 / 100.
constexpr std::int32_t Orbit(std::int32_t radius) {
    return control_math::MulDivTrunc(radius, 40, 100);
}

// A double truncated toward zero into 32 bits; NaN counts as 0 and values beyond 32 bits are
// held at the nearest end, where a bare conversion would be undefined.
inline std::int32_t Truncate(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0) return INT32_MAX;
    if (value <= -2147483649.0) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

// The marker's angle for a value: (maxPos - v) * kSweep / (maxPos - minPos) - kQuarterTurn,
// both differences as 32-bit integers. An empty range (maxPos equal to minPos) divides
// nothing: the marker stands at the clockwise end, as for maxPos.
inline double MarkerAngle(std::int32_t v, std::int32_t minPos, std::int32_t maxPos) {
    const std::int32_t range = control_math::Sub32(maxPos, minPos);
    if (range == 0) return -kQuarterTurn;
    return static_cast<double>(control_math::Sub32(maxPos, v)) * kSweep / static_cast<double>(range) - kQuarterTurn;
}

struct Point {
    std::int32_t x, y;
};

// Where a marker of width w is drawn for a value: its centre on the orbit, half the width
// taken off both x and y (the markers are square).
template <class Trig = trig::Default>
Point MarkerOrigin(std::int32_t v, std::int32_t minPos, std::int32_t maxPos, const Geometry& g, std::int32_t w) {
    using control_math::Add32;
    using control_math::Sub32;
    const double theta = MarkerAngle(v, minPos, maxPos);
    const double r = Orbit(g.radius);
    return {Sub32(Add32(g.centerX, Truncate(r * Trig::Cos(theta))), w / 2),
            Sub32(Sub32(g.centerY, Truncate(r * Trig::Sin(theta))), w / 2)};
}

// The value for a pointer (x, y) in client coordinates: its angle about the centre (the
// centre itself counts as pointing right), cut straight below the centre; the two halves of
// the bottom dead zone give minPos (left) and maxPos (right); the sweep between maps linearly.
template <class Trig = trig::Default>
std::int32_t PointerPosition(std::uint16_t x, std::uint16_t y, const Geometry& g, std::int32_t minPos,
                             std::int32_t maxPos) {
    std::int32_t dx = control_math::Sub32(x, g.centerX);
    const std::int32_t dy = control_math::Sub32(g.centerY, y);
    if (dx == 0 && dy == 0) dx = 1;
    double phi = Trig::Atan2(static_cast<double>(dy), static_cast<double>(dx));
    if (phi < -kHalfPi) phi += kFullTurn;
    if (phi >= kSweepStart) return minPos;
    if (phi < -kQuarterTurn) return maxPos;
    const double range = static_cast<double>(control_math::Sub32(maxPos, minPos));
    return control_math::Sub32(maxPos, Truncate((phi + kQuarterTurn) * range * kPerSweep));
}

// One step of 16 per wheel message: down for a delta above 0 (turned away from the user), up
// otherwise; then held to minPos first and maxPos last.
constexpr std::int32_t WheelPosition(std::int32_t pos, std::int16_t delta, std::int32_t minPos, std::int32_t maxPos) {
    const std::int32_t moved =
        delta > 0 ? control_math::Sub32(pos, kWheelStep) : control_math::Add32(pos, kWheelStep);
    return control_math::ClampLowFirst(moved, minPos, maxPos);
}

}  // namespace knob_rules
