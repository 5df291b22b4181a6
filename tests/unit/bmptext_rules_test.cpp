#include "controls/bmptext_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {

using namespace bmptext_rules;

TEST(BmpTextCells, CellMapCellsDrawnAndUpperCasing) {
    const struct { char ch; std::int32_t cell; } cells[] = {
        {'A', 0}, {'Z', 25}, {'0', 26}, {'7', 33}, {'9', 35},
        {'.', 36}, {'/', 36}, {':', 36}, {'@', 36}, {'_', 36}, {'~', 36}, {'a', 36}, {'\x7F', 36},
        {'\0', 38}, {' ', 38}, {'+', 38}, {',', 38}, {'-', 38}, {'\x80', 38}, {'\xFF', 38}};
    for (const auto& c : cells) EXPECT_EQ(CellOf(c.ch), c.cell) << "byte 0x" << std::hex << (c.ch & 0xFF);
    const std::int32_t lengths[][2] = {{0, 0}, {32, 32}, {33, 32}, {INT32_MAX, 32}, {-1, 0}, {INT32_MIN, 0}};
    for (const auto& l : lengths) EXPECT_EQ(CellsDrawn(l[0]), l[1]) << l[0];
    struct { char text[6]; char next; } block = {{'a', 'z', '1', '\xE9', 'q', 'r'}, 's'};  // no NUL
    UpperCaseInPlace(block.text, sizeof block.text);
    EXPECT_EQ(std::memcmp(&block, "AZ1\xE9QRs", 7), 0);
}

}  // namespace
