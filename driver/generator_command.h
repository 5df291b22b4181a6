// The command record the desk sends the interface's driver for every start, stop and restart.
#pragma once

#include <cstdint>

// CTL_CODE(FILE_DEVICE_UNKNOWN 0x22, function 0x801, METHOD_BUFFERED, FILE_ANY_ACCESS).
constexpr std::uint32_t IOCTL_GENERATOR_COMMAND = (0x22u << 16) | (0u << 14) | (0x801u << 2) | 0u;
static_assert(IOCTL_GENERATOR_COMMAND == 0x222004, "control code of the generator command");

constexpr std::uint32_t kCommandStop = 0;
constexpr std::uint32_t kCommandStart = 1;

// Seven 32-bit little-endian fields, no padding. The window field is 32 bits on every target:
// window handles are 32-bit values even in 64-bit processes.
struct GeneratorCommand {
    std::int32_t command;        // 1 = start, 0 = stop
    std::uint32_t window;        // window that receives WM_MTC_BYTE; 0 in a stop record
    std::uint32_t hours;
    std::uint32_t minutes;
    std::uint32_t seconds;
    std::uint32_t frames;
    std::int32_t frameRateIndex; // 0 = 24, 1 = 25, 2 = 29.97, 3 = 30 drop-frame, 4 = 30
};
static_assert(sizeof(GeneratorCommand) == 28, "the record is 28 bytes");
static_assert(alignof(GeneratorCommand) == 4, "no padding between fields");

// The record as the driver reads it. The argument order is the driver link's (rate third);
// the record's order puts the rate last.
GeneratorCommand MakeGeneratorCommand(std::int32_t command, std::uint32_t window,
                                      std::int32_t frameRateIndex, std::uint32_t hours,
                                      std::uint32_t minutes, std::uint32_t seconds,
                                      std::uint32_t frames);

// The 28 bytes of a record, little-endian, in field order.
void SerializeGeneratorCommand(const GeneratorCommand& record, unsigned char (&bytes)[28]);
// Reads 28 little-endian bytes back into a record.
GeneratorCommand ParseGeneratorCommand(const unsigned char* bytes);
