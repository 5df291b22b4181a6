#include "controls/state3_rules.h"

#include <gtest/gtest.h>

TEST(State3Rules, NextStateIsPlusOneModThreeWithTheSignOfTheDividend) {
    const struct { std::int32_t state, next; } cases[] = {
        {0, 1}, {1, 2}, {2, 0}, {3, 1}, {5, 0}, {100, 2},  // 2 or more lands in 0..2
        {-1, 0}, {-2, -1}, {-5, -1}, {-4, 0},              // the remainder keeps the sign
        {INT32_MAX, -2}, {INT32_MIN, -1},                  // 32-bit wrap, no overflow
    };
    for (const auto& c : cases) EXPECT_EQ(state3_rules::NextState(c.state), c.next) << c.state;
}
