// The check rules that the bitmap toggle and the on/off switch share, free of the platform.
#pragma once

#include <cstdint>

namespace check_rules {

// BM_SETCHECK stores only exactly 0 or exactly 1 (the whole message parameter is compared);
// any other value keeps the current state.
constexpr std::int32_t AcceptCheck(std::int32_t current, std::uint64_t requested) {
    return requested == 0u || requested == 1u ? static_cast<std::int32_t>(requested) : current;
}

// A left press flips: off becomes on, anything else becomes off.
constexpr std::int32_t FlipCheck(std::int32_t current) {
    return current == 0 ? 1 : 0;
}

}  // namespace check_rules
