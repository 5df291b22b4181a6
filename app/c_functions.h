// The C library's string and memory functions that the product exes call (strlen, strcmp,
// memchr) or that the compiler emits for copies and fills (memcpy, memset), written out as
// plain byte loops: app/c_functions.cpp gives them their C names in the product exes, which
// link no C library (Windows 95 need not have one). Platform-free, so that they are tested
// natively. Each behaves as the C standard says, bytes compared and matched as unsigned char.
#pragma once

#include <cstddef>

namespace c_functions {

inline std::size_t Length(const char* text) {
    const char* end = text;
    while (*end != '\0') ++end;
    return static_cast<std::size_t>(end - text);
}

inline int Compare(const char* a, const char* b) {
    const auto* x = reinterpret_cast<const unsigned char*>(a);
    const auto* y = reinterpret_cast<const unsigned char*>(b);
    while (*x != 0 && *x == *y) ++x, ++y;
    return static_cast<int>(*x) - static_cast<int>(*y);
}

inline void* FindByte(const void* data, int value, std::size_t count) {
    const auto* p = static_cast<const unsigned char*>(data);
    const auto byte = static_cast<unsigned char>(value);
    for (; count != 0; --count, ++p) {
        if (*p == byte) return const_cast<unsigned char*>(p);
    }
    return nullptr;
}

inline void* Copy(void* to, const void* from, std::size_t count) {
    auto* d = static_cast<unsigned char*>(to);
    const auto* s = static_cast<const unsigned char*>(from);
    while (count-- != 0) *d++ = *s++;
    return to;
}

inline void* Fill(void* to, int value, std::size_t count) {
    auto* d = static_cast<unsigned char*>(to);
    const auto byte = static_cast<unsigned char>(value);
    while (count-- != 0) *d++ = byte;
    return to;
}

}  // namespace c_functions
