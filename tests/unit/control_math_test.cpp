#include "controls/control_math.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

using namespace control_math;
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(ControlMath, ClampTestsLowFirstAndTheHighTestWins) {
    const struct { std::int32_t v, low, high, expected; } cases[] = {
        {5, 0, 10, 5}, {-1, 0, 10, 0}, {11, 0, 10, 10}, {5, 10, 0, 0}, {-5, 10, 0, 0}, {kMin, kMin, kMax, kMin}};
    for (const auto& c : cases) EXPECT_EQ(ClampLowFirst(c.v, c.low, c.high), c.expected) << c.v << " " << c.low << ".." << c.high;
}

TEST(ControlMath, MulDivTruncatesTowardZeroWithoutOverflowOrAZeroDivisor) {
    const struct { std::int32_t a, b, c, expected; } cases[] = {
        {127, 100, 200, 63}, {-127, 100, 200, -63}, {127, -100, 200, -63}, {7, 1, -2, -3},
        {kMax, kMax, kMax, kMax},          // the product needs 62 bits
        {kMax, 2, 1, kMax}, {kMin, 2, 1, kMin}, {kMin, 1, -1, kMax},  // held within 32 bits
        {5, 5, 0, 0}};                     // no division by zero
    for (const auto& c : cases) EXPECT_EQ(MulDivTrunc(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
    EXPECT_EQ(Sub32(kMin, 1), kMax);
    EXPECT_EQ(Add32(kMax, 1), kMin);
}

TEST(ControlMath, CopyBoundedCutsAndAlwaysTerminatesWithinTheArray) {
    char out[8];
    const struct { const char* src; std::size_t limit; const char* expected; std::size_t n; } cases[] = {
        {"abc", 8, "abc", 3}, {"abcdefghij", 8, "abcdefg", 7}, {"abcdefghij", 4, "abc", 3},
        {"abcdefghij", 100, "abcdefg", 7}, {nullptr, 8, "", 0}, {"", 8, "", 0}};
    for (const auto& c : cases) {
        std::memset(out, 'x', sizeof out);
        EXPECT_EQ(CopyBounded(out, c.src, c.limit), c.n);
        EXPECT_STREQ(out, c.expected);
    }
    std::memset(out, 'x', sizeof out);
    EXPECT_EQ(CopyBounded(out, "abc", 0), 0u);
    EXPECT_EQ(out[0], 'x') << "a limit of 0 writes nothing";
}

TEST(ControlMath, BoundedLengthStopsAtTheTerminatorOrTheArraysEnd) {
    char text[64] = "label";
    EXPECT_EQ(BoundedLength(text), 5);
    for (char& c : text) c = 'x';  // filled by hand, no terminator
    EXPECT_EQ(BoundedLength(text), 64);
}

TEST(ControlMath, DecimalTextOfEveryRangeEndFitsItsBuffer) {
    struct Row {
        std::int32_t value;
        const char* text;
    };
    const Row rows[] = {{0, "0"}, {-7, "-7"}, {1000, "1000"}, {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"}};
    for (const Row& row : rows) {
        char out[kDecimalBytes];
        EXPECT_EQ(WriteDecimal(out, row.value), std::strlen(row.text));
        EXPECT_STREQ(out, row.text);
    }
    char out[kDecimalBytes];
    EXPECT_EQ(WriteDecimal(out, UINT32_MAX), 10u);
    EXPECT_STREQ(out, "4294967295");
}

}  // namespace
