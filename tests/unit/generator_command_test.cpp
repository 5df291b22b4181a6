#include "driver/generator_command.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<unsigned char> Bytes(const GeneratorCommand& r) {
    unsigned char b[28];
    SerializeGeneratorCommand(r, b);
    return std::vector<unsigned char>(b, b + 28);
}

TEST(GeneratorCommand, StartRecordPutsRateLastInLittleEndianFields) {
    // Start for 01:02:03:04 at 25 fps from window 0x00A1B2C3: arguments have the rate third.
    const GeneratorCommand r = MakeGeneratorCommand(1, 0x00A1B2C3u, 1, 1, 2, 3, 4);
    const std::vector<unsigned char> expected = {
        1, 0, 0, 0,  0xC3, 0xB2, 0xA1, 0x00,  1, 0, 0, 0,  2, 0, 0, 0,
        3, 0, 0, 0,  4, 0, 0, 0,  1, 0, 0, 0};
    EXPECT_EQ(Bytes(r), expected);
    // In memory the record is the same bytes (no padding, little-endian host).
    unsigned char raw[28];
    std::memcpy(raw, &r, 28);
    EXPECT_EQ(std::vector<unsigned char>(raw, raw + 28), expected);
}

TEST(GeneratorCommand, StopRecordIsAllZero) {
    EXPECT_EQ(Bytes(MakeGeneratorCommand(0, 0, 0, 0, 0, 0, 0)), std::vector<unsigned char>(28, 0));
}

TEST(GeneratorCommand, ParseReadsBackEveryField) {
    const GeneratorCommand r = MakeGeneratorCommand(1, 0xDEADBEEFu, 3, 23, 59, 58, 29);
    unsigned char b[28];
    SerializeGeneratorCommand(r, b);
    const GeneratorCommand back = ParseGeneratorCommand(b);
    EXPECT_EQ(back.command, 1);
    EXPECT_EQ(back.window, 0xDEADBEEFu);
    EXPECT_EQ(back.hours, 23u);
    EXPECT_EQ(back.minutes, 59u);
    EXPECT_EQ(back.seconds, 58u);
    EXPECT_EQ(back.frames, 29u);
    EXPECT_EQ(back.frameRateIndex, 3);
}

}  // namespace
