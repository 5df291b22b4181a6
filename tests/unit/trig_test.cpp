#include "controls/trig.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#if DESK_TRIG_HAS_X87

namespace {

using trig::Library;
using trig::X87;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Each quadrant, the axes with both signs of zero, and the infinities, bit for bit.
TEST(Trig, X87Atan2AnswersEveryQuadrantAndEdgeAsTheLibrary) {
    const double cases[][2] = {  // y, x
        {1, 2},    {1, -2},  {-1, -2}, {-1, 2},  {0.0, 1},   {-0.0, 1},  {0.0, -1},   {-0.0, -1},  {1, 0.0},
        {-1, 0.0}, {1, -0.0}, {0.0, 0.0}, {-0.0, 0.0}, {0.0, -0.0}, {-0.0, -0.0}, {kInf, kInf}, {-kInf, -kInf},
        {1, -kInf}, {-1, -kInf}, {1, kInf}, {kInf, 1}, {-3, 3},  {5, -5}, {1e-300, -1e300}};
    for (const auto& c : cases) {
        EXPECT_TRUE(SameBits(X87::Atan2(c[0], c[1]), Library::Atan2(c[0], c[1])))
            << c[0] << "," << c[1] << ": " << X87::Atan2(c[0], c[1]);
    }
    EXPECT_TRUE(std::isnan(X87::Atan2(kNaN, 1)));
    EXPECT_TRUE(std::isnan(X87::Atan2(1, kNaN)));
}

// FSIN and FCOS refuse arguments from 2^63 on: those are reduced first, so the results stay a
// sine and a cosine of one angle. Signed zeros as C's; infinities and NaNs give NaN. (The
// knob's own angles: tests/unit/knob_rules_test.cpp.)
TEST(Trig, X87SinAndCosOfZeroHugeArgumentsAndNaN) {
    EXPECT_TRUE(SameBits(X87::Sin(-0.0), -0.0));
    EXPECT_TRUE(SameBits(X87::Cos(-0.0), 1.0));
    for (const double x : {0x1p63, -0x1p63, 1e19, -1e300, DBL_MAX}) {
        const double s = X87::Sin(x), c = X87::Cos(x);
        EXPECT_LE(std::fabs(s), 1.0) << x;
        EXPECT_NEAR(s * s + c * c, 1.0, 1e-15) << x;
        EXPECT_TRUE(SameBits(X87::Sin(-x), -s)) << x;
    }
    for (const double x : {kInf, -kInf, kNaN}) {
        EXPECT_TRUE(std::isnan(X87::Sin(x))) << x;
        EXPECT_TRUE(std::isnan(X87::Cos(x))) << x;
    }
}

}  // namespace

#endif
