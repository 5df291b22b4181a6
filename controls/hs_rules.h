// The horizontal slider's rules, free of the platform: the pointer mapping, the wheel step,
// the bar and thumb geometry, and the value text with its display range. 32-bit signed
// arithmetic unless a 16-bit step is named, every division truncating toward zero; a zero
// divisor gives 0 instead of a crash.
#pragma once

#include <cstddef>
#include <cstdint>

#include "controls/control_math.h"

namespace hs_rules {

constexpr std::size_t kCaptionSize = 32;
constexpr std::size_t kSuffixSize = 8;
constexpr std::int32_t kCharWidth = 7;  // the value text's assumed width per character

// The pointer's x (the unsigned low word of the message) to a position: held to trackLeft
// first and trackRight last, then maxPos * x / trackRight.
constexpr std::int32_t PointerPosition(std::uint16_t x, std::int32_t trackRight, std::int32_t trackLeft,
                                       std::int32_t maxPos) {
    return control_math::MulDivTrunc(maxPos, control_math::ClampLowFirst(x, trackLeft, trackRight), trackRight);
}

// The wheel's step: (maxPos + 1) / 16, of which the low 16 bits count, signed.
constexpr std::int16_t WheelStep(std::int32_t maxPos) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(control_math::Add32(maxPos, 1) / 16));
}

// One step per wheel message, up for a delta above 0, down otherwise; then 0..maxPos.
constexpr std::int32_t WheelPosition(std::int32_t pos, std::int16_t delta, std::int32_t maxPos) {
    const std::int32_t step = WheelStep(maxPos);
    const std::int32_t moved = delta > 0 ? control_math::Add32(pos, step) : control_math::Sub32(pos, step);
    return control_math::ClampLowFirst(moved, 0, maxPos);
}

// The bar's length: pos * trackRight / maxPos, held at trackRight from above, then at
// trackLeft from below (this second test wins).
constexpr std::int32_t BarLength(std::int32_t pos, std::int32_t trackRight, std::int32_t trackLeft,
                                 std::int32_t maxPos) {
    std::int32_t t = control_math::MulDivTrunc(pos, trackRight, maxPos);
    if (t > trackRight) t = trackRight;
    if (t < trackLeft) t = trackLeft;
    return t;
}

struct Rect {
    std::int32_t left, top, right, bottom;
};

// The bar's Rectangle call over a client rectangle: up to the bar's end while enabled, the
// whole track while disabled.
constexpr Rect BarRect(bool enabled, std::int32_t length, Rect client) {
    using control_math::Add32;
    using control_math::Sub32;
    const std::int32_t right = enabled ? Add32(Add32(client.left, length), 3) : Sub32(client.right, 2);
    return {Add32(client.left, 3), Add32(client.top, 3), right, Sub32(client.bottom, 2)};
}

// The thumb's left edge: centred on the bar's end, never left of 0.
constexpr std::int32_t ThumbLeft(std::int32_t length, std::int32_t thumbWidth) {
    const std::int32_t x = control_math::Sub32(length, thumbWidth / 2);
    return x < 0 ? 0 : x;
}

// The value shown: displayOffset + pos while both range ends are 0; otherwise the position
// mapped onto the range in 16 bits: L + (H - L) * pos / maxPos, with H - L and the sum taken
// as signed 16-bit numbers.
constexpr std::int32_t DisplayValue(std::int32_t pos, std::int32_t displayOffset, std::uint32_t rangeLow,
                                    std::uint32_t rangeHigh, std::int32_t maxPos) {
    if (rangeLow == 0 && rangeHigh == 0) return control_math::Add32(displayOffset, pos);
    const std::uint16_t low = static_cast<std::uint16_t>(rangeLow);
    const std::uint16_t high = static_cast<std::uint16_t>(rangeHigh);
    const std::int16_t span = static_cast<std::int16_t>(static_cast<std::uint16_t>(high - low));
    const std::int32_t q = control_math::MulDivTrunc(span, pos, maxPos);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(low + static_cast<std::uint32_t>(q)));
}

// "%d" of the value followed by the suffix, whose 8 bytes are read at most (a suffix filled
// by hand without its NUL ends there). Returns the length in characters.
constexpr std::size_t kValueTextSize = 12 + kSuffixSize;
static_assert(kValueTextSize >= control_math::kDecimalBytes + kSuffixSize, "a value and a whole suffix fit");
inline int FormatValueText(char (&text)[kValueTextSize], std::int32_t value, const char (&suffix)[kSuffixSize]) {
    std::size_t n = control_math::WriteDecimal(text, value);
    for (std::size_t i = 0; i < kSuffixSize && suffix[i] != '\0'; ++i) text[n++] = suffix[i];
    text[n] = '\0';
    return static_cast<int>(n);
}

// The value text's left edge: right-aligned on kCharWidth pixels per character, 2 pixels in
// (length is at most the text buffer's).
constexpr std::int32_t ValueTextLeft(std::int32_t right, std::int32_t length) {
    return control_math::Sub32(right, kCharWidth * length + 2);
}

}  // namespace hs_rules
