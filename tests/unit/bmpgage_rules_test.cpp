#include "controls/bmpgage_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using namespace bmpgage_rules;

// Truncated toward zero, and no overflow however far the level lies outside 0..100.
TEST(GageEdges, FilledShareTruncatedAndHeldTo32Bits) {
    const std::int32_t cases[][5] = {  // left, right, level: filled part's right, empty part's left
        {0, 199, 50, 99, 98}, {0, 101, -50, -50, -51}, {0, 1000, INT32_MAX, INT32_MAX, INT32_MAX - 1},
        {5, 105, INT32_MAX, INT32_MAX, INT32_MAX}, {0, 1000, INT32_MIN, INT32_MIN, INT32_MIN}};
    for (const auto& c : cases) {
        const Edges e = GageEdges(c[0], c[1], c[2]);
        EXPECT_EQ((std::vector<std::int32_t>{e.filledRight, e.emptyLeft}), (std::vector<std::int32_t>{c[3], c[4]})) << c[2];
    }
}

}  // namespace
