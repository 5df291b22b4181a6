#include "app/c_functions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using namespace c_functions;

TEST(CFunctions, LengthAndCompareAsTheCLibrary) {
    const std::string longText(300, 'x');
    const struct { const char* text; std::size_t length; } lengths[] = {{"", 0}, {"a", 1}, {"Zut_KnobClass", 13}, {longText.c_str(), 300}};
    for (const auto& c : lengths) EXPECT_EQ(Length(c.text), c.length) << c.text;
    const struct { const char* a; const char* b; int sign; } orders[] = {
        {"", "", 0},       {"abc", "abc", 0}, {"ab", "abc", -1}, {"abc", "ab", 1}, {"abd", "abc", 1},
        {"\x80", "a", 1},  {"a", "\xff", -1}, {"", "a", -1}};  // bytes compare as unsigned char
    for (const auto& c : orders) {
        const int r = Compare(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << "[" << c.a << "] [" << c.b << "]";
    }
}

TEST(CFunctions, FindByteLooksAtTheFirstCountBytesOnly) {
    const unsigned char data[] = {'a', 0, 'b', 0xE9, 'b', 0};
    const struct { int value; std::size_t count; int at; } cases[] = {  // at -1: not found
        {'b', 6, 2}, {0, 6, 1}, {0xE9, 6, 3}, {0x1E9, 6, 3} /* as unsigned char */, {-23, 6, 3},
        {'b', 2, -1}, {'a', 0, -1}, {'z', 6, -1}};
    for (const auto& c : cases) {
        const void* found = FindByte(data, c.value, c.count);
        EXPECT_EQ(found, c.at < 0 ? nullptr : data + c.at) << c.value << " in " << c.count;
    }
}

// Every length from 0 to 40 at every offset from 0 to 7: exactly those bytes change, and the
// destination comes back.
TEST(CFunctions, CopyAndFillWriteExactlyTheirBytes) {
    unsigned char source[48];
    for (int i = 0; i < 48; ++i) source[i] = static_cast<unsigned char>(200 + i);
    for (std::size_t offset = 0; offset < 8; ++offset) {
        for (std::size_t count = 0; count <= 40; ++count) {
            unsigned char copied[56], filled[56], expectCopied[56], expectFilled[56];
            std::memset(copied, 0x55, sizeof copied);
            std::memset(filled, 0x55, sizeof filled);
            std::memcpy(expectCopied, copied, sizeof copied);
            std::memcpy(expectFilled, filled, sizeof filled);
            std::memcpy(expectCopied + offset, source + 3, count);
            std::memset(expectFilled + offset, 0xA7, count);
            EXPECT_EQ(Copy(copied + offset, source + 3, count), copied + offset);
            EXPECT_EQ(Fill(filled + offset, 0x3A7, count), filled + offset);  // the value as unsigned char
            EXPECT_EQ(std::memcmp(copied, expectCopied, sizeof copied), 0) << offset << " " << count;
            EXPECT_EQ(std::memcmp(filled, expectFilled, sizeof filled), 0) << offset << " " << count;
        }
    }
}

}  // namespace
