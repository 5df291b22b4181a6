// The product exes' strlen, strcmp, memchr, memcpy and memset: the project's own
// (app/c_functions.h), linked only into the product exes (cmake/ProductExe.cmake). Compiled
// without loop distribution, with which the x86_64 compiler (at -O2) turns the fill loop back
// into a call of memset, that is into a call of itself.
#include <cstddef>

#include "app/c_functions.h"

extern "C" {

std::size_t strlen(const char* text) { return c_functions::Length(text); }
int strcmp(const char* a, const char* b) { return c_functions::Compare(a, b); }
void* memchr(const void* data, int value, std::size_t count) { return c_functions::FindByte(data, value, count); }
void* memcpy(void* to, const void* from, std::size_t count) { return c_functions::Copy(to, from, count); }
void* memset(void* to, int value, std::size_t count) { return c_functions::Fill(to, value, count); }
}
