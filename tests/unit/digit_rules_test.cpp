#include "controls/digit_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// Chosen by the text's length within 0..999, the nearest bound outside it (a minus sign or a
// fourth character has no glyph).
TEST(DigitGlyphs, ChosenByTheTextsLengthAndHeldToTheStrip) {
    const std::int32_t cases[][4] = {  // value: hundreds, tens, units
        {0, 0, 0, 0}, {7, 0, 0, 7}, {42, 0, 4, 2}, {359, 3, 5, 9}, {999, 9, 9, 9}, {-1, 0, 0, 0},
        {-42, 0, 0, 0}, {1000, 9, 9, 9}, {INT32_MIN, 0, 0, 0}, {INT32_MAX, 9, 9, 9}};
    for (const auto& c : cases) {
        const digit_rules::Glyphs g = digit_rules::ShownGlyphs(c[0]);
        EXPECT_EQ((std::vector<std::int32_t>{g.hundreds, g.tens, g.units}), (std::vector<std::int32_t>{c[1], c[2], c[3]})) << c[0];
    }
}

}  // namespace
