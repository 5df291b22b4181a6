#include "driver/generator_command.h"

namespace {

void PutLe32(unsigned char* at, std::uint32_t v) {
    at[0] = static_cast<unsigned char>(v);
    at[1] = static_cast<unsigned char>(v >> 8);
    at[2] = static_cast<unsigned char>(v >> 16);
    at[3] = static_cast<unsigned char>(v >> 24);
}

std::uint32_t GetLe32(const unsigned char* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

}  // namespace

GeneratorCommand MakeGeneratorCommand(std::int32_t command, std::uint32_t window,
                                      std::int32_t frameRateIndex, std::uint32_t hours,
                                      std::uint32_t minutes, std::uint32_t seconds,
                                      std::uint32_t frames) {
    GeneratorCommand r;
    r.command = command;
    r.window = window;
    r.hours = hours;
    r.minutes = minutes;
    r.seconds = seconds;
    r.frames = frames;
    r.frameRateIndex = frameRateIndex;
    return r;
}

void SerializeGeneratorCommand(const GeneratorCommand& r, unsigned char (&bytes)[28]) {
    PutLe32(bytes + 0, static_cast<std::uint32_t>(r.command));
    PutLe32(bytes + 4, r.window);
    PutLe32(bytes + 8, r.hours);
    PutLe32(bytes + 12, r.minutes);
    PutLe32(bytes + 16, r.seconds);
    PutLe32(bytes + 20, r.frames);
    PutLe32(bytes + 24, static_cast<std::uint32_t>(r.frameRateIndex));
}

GeneratorCommand ParseGeneratorCommand(const unsigned char* bytes) {
    GeneratorCommand r;
    r.command = static_cast<std::int32_t>(GetLe32(bytes + 0));
    r.window = GetLe32(bytes + 4);
    r.hours = GetLe32(bytes + 8);
    r.minutes = GetLe32(bytes + 12);
    r.seconds = GetLe32(bytes + 16);
    r.frames = GetLe32(bytes + 20);
    r.frameRateIndex = static_cast<std::int32_t>(GetLe32(bytes + 24));
    return r;
}
