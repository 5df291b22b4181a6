// A deterministic stand-in for libFuzzer's driver: feeds the target a fixed number of
// pseudo-random inputs of varied lengths (including empty and long ones). The sanitizers
// turn any fault into a failure.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    const long runs = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    std::uint64_t x = 0x9E3779B97F4A7C15ull;
    auto next = [&x]() {
        x += 0x9E3779B97F4A7C15ull;
        std::uint64_t z = x;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    };
    std::vector<std::uint8_t> buf;
    for (long i = 0; i < runs; ++i) {
        const std::size_t len = (i % 16 == 0) ? next() % 4096 : next() % 64;
        buf.resize(len);
        for (auto& b : buf) b = static_cast<std::uint8_t>(next());
        LLVMFuzzerTestOneInput(buf.data(), buf.size());
    }
    std::printf("%ld inputs run\n", runs);
    return 0;
}
