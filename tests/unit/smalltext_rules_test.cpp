#include "controls/smalltext_rules.h"

#include <gtest/gtest.h>

TEST(SmallTextRules, TextStandsAtHalfTheWidthTruncatedTowardZero) {
    const struct { std::int32_t left, right, x; } cases[] = {
        {0, 100, 50}, {0, 101, 50}, {10, 21, 5}, {0, 0, 0}, {5, 0, -2},  // toward zero
        {INT32_MIN, INT32_MAX, 0}, {-1, INT32_MAX, INT32_MIN / 2},       // 32-bit wrap
    };
    for (const auto& c : cases) EXPECT_EQ(smalltext_rules::TextX(c.left, c.right), c.x) << c.left << ".." << c.right;
}
