// Arithmetic that more than one control class uses, free of the platform: 32-bit steps that
// wrap instead of overflowing, the toolkit's clamp, a multiply-then-divide that neither
// overflows nor divides by zero, a bounded text copy into a fixed array, and decimal text. Each class's own
// rules live in a header of its own beside this one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace control_math {

// pos + step in 32-bit two's complement, as the program's integer registers add: stepping
// past the largest value lands on the smallest. Written without signed overflow.
constexpr std::int32_t StepPosition(std::int32_t pos, std::int32_t step) {
    const std::uint32_t sum = static_cast<std::uint32_t>(pos) + static_cast<std::uint32_t>(step);
    return sum <= 0x7FFFFFFFu ? static_cast<std::int32_t>(sum) : -static_cast<std::int32_t>(~sum) - 1;
}

// The toolkit's clamp: the low test first, then the high test, which wins when high < low
// (std::clamp is undefined there).
constexpr std::int32_t ClampLowFirst(std::int32_t value, std::int32_t low, std::int32_t high) {
    if (value < low) value = low;
    if (value > high) value = high;
    return value;
}

// A 64-bit value held at the nearest 32-bit one.
constexpr std::int32_t Hold32(std::int64_t v) {
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<std::int32_t>(v);
}

// a * b / c with the product taken exactly and the quotient truncated toward zero, as the
// classes' 32-bit formulas mean it. A zero divisor gives 0 instead of a crash, and a quotient
// beyond 32 bits is held at the nearest 32-bit value.
constexpr std::int32_t MulDivTrunc(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return 0;
    return Hold32(static_cast<std::int64_t>(a) * b / c);
}

// a - b and a + b in 32-bit two's complement, without signed overflow.
constexpr std::int32_t Sub32(std::int32_t a, std::int32_t b) {
    return StepPosition(a, static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(b)));
}
constexpr std::int32_t Add32(std::int32_t a, std::int32_t b) { return StepPosition(a, b); }

// Copies at most limit - 1 characters of a NUL-terminated text and always terminates (the
// manner of lstrcpyn); limit is cut to the destination's size, so nothing is ever written past
// it. A null source copies as the empty text. Returns the number of characters copied.
inline std::size_t CopyBounded(char* dst, std::size_t dstSize, const char* src, std::size_t limit) {
    if (limit > dstSize) limit = dstSize;
    if (limit == 0) return 0;
    std::size_t n = 0;
    if (src)
        for (; n + 1 < limit && src[n] != '\0'; ++n) dst[n] = src[n];
    dst[n] = '\0';
    return n;
}
template <std::size_t N>
std::size_t CopyBounded(char (&dst)[N], const char* src, std::size_t limit = N) {
    return CopyBounded(dst, N, src, limit);
}

// The decimal text of a 32-bit number at out, with a minus sign when negative, and its NUL:
// at most kDecimalBytes bytes. Returns the number of characters without the NUL. (The
// program's own formatter: its exes carry no printf.)
constexpr std::size_t kDecimalBytes = 12;  // "-2147483648" and the NUL
inline std::size_t WriteDecimal(char* out, std::uint32_t magnitude, bool negative) {
    char reversed[10];
    std::size_t n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::size_t length = 0;
    if (negative) out[length++] = '-';
    while (n > 0) out[length++] = reversed[--n];
    out[length] = '\0';
    return length;
}
inline std::size_t WriteDecimal(char* out, std::int32_t value) {
    const std::uint32_t bits = static_cast<std::uint32_t>(value);
    return WriteDecimal(out, value < 0 ? 0u - bits : bits, value < 0);
}
inline std::size_t WriteDecimal(char* out, std::uint32_t value) { return WriteDecimal(out, value, false); }

// A text's length read within its array: up to its NUL, or the whole array for one filled by
// hand without it.
template <std::size_t N>
constexpr int BoundedLength(const char (&text)[N]) {
    int n = 0;
    while (static_cast<std::size_t>(n) < N && text[n] != '\0') ++n;
    return n;
}

}  // namespace control_math
