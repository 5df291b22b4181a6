#include "controls/control_math.h"
#include "controls/check_rules.h"
#include "controls/digitex_rules.h"
#include "controls/togle_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>

namespace {

using namespace control_math;
using namespace digitex_rules;
using namespace check_rules;
using namespace togle_rules;
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(SpinnerWrapRule, Table) {
    const struct { std::int32_t pos, maxPos, resetPos, expected; } cases[] = {
        {0, 99, 0, 0}, {99, 99, 0, 99},            // both ends stay
        {-1, 99, 0, 99}, {kMin, 59, 7, 59},        // below 0: maxPos, never on to resetPos
        {100, 99, 0, 0}, {kMax, 59, 1, 1},         // above maxPos: resetPos
        {60, 59, 75, 75}, {60, 59, -2, -2},        // resetPos outside 0..maxPos: as it is
        {-7, -3, 0, -3}, {0, -3, 4, 4},            // negative maxPos
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapPosition(c.pos, c.maxPos, c.resetPos), c.expected)
            << c.pos << " in 0.." << c.maxPos << " reset " << c.resetPos;
}

TEST(SpinnerSteps, ClicksCountUpAndWrapToReset) {
    std::int32_t pos = 0;  // 01, 02, ... 30, then 00
    for (int expected = 1; expected <= 30; ++expected) ASSERT_EQ(pos = ClickPosition(pos, 30, 0), expected);
    EXPECT_EQ(ClickPosition(pos, 30, 0), 0);
    EXPECT_EQ(ClickPosition(99, 99, 0), 0);
}

TEST(SpinnerSteps, WheelFollowsTheSignOfTheDeltaAndZeroStepsBack) {
    const struct { std::int32_t pos; std::int16_t delta; std::int32_t expected; } cases[] = {
        {5, 120, 6}, {5, 1, 6}, {5, 32767, 6}, {5, -120, 4}, {5, -32768, 4}, {5, 0, 4},
        {59, 120, 3}, {0, -120, 59}, {0, 0, 59}};
    for (const auto& c : cases) EXPECT_EQ(WheelPosition(c.pos, c.delta, 59, 3), c.expected) << c.pos << " " << c.delta;
}

TEST(SpinnerSteps, StepsWrapAt32BitsWithoutOverflow) {
    EXPECT_EQ(StepPosition(kMax, 1), kMin);
    EXPECT_EQ(StepPosition(kMin, -1), kMax);
    EXPECT_EQ(ClickPosition(kMax, kMax, 0), kMax);     // lands below 0: back to maxPos
    EXPECT_EQ(WheelPosition(kMin, -1, 10, 7), 7);      // lands on the largest: resetPos
}

TEST(TogleRules, CheckStateAndImage) {
    EXPECT_EQ(AcceptCheck(0, 1), 1);
    EXPECT_EQ(AcceptCheck(1, 0), 0);
    EXPECT_EQ(AcceptCheck(0, 2), 0);                   // BST_INDETERMINATE: unchanged
    EXPECT_EQ(AcceptCheck(1, ~0ull), 1);
    EXPECT_EQ(AcceptCheck(0, 0x100000001ull), 0);      // the whole parameter must be 1
    EXPECT_EQ(FlipCheck(0), 1);
    EXPECT_EQ(FlipCheck(1), 0);
    EXPECT_TRUE(ShowsOnImage(1));
    EXPECT_FALSE(ShowsOnImage(2));
}

TEST(TogleRules, SizeFromTheOnImageThenTheOffImageThenEmpty) {
    const Size on = {44, 31}, off = {40, 21};
    const auto size = [](Size s) { return std::make_pair(s.width, s.height); };
    EXPECT_EQ(size(TogleSize(true, on, true, off)), std::make_pair(44, 31));
    EXPECT_EQ(size(TogleSize(false, on, true, off)), std::make_pair(40, 21));
    EXPECT_EQ(size(TogleSize(false, on, false, off)), std::make_pair(0, 0));
}

}  // namespace
