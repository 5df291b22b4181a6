// The 32-bit program's runtime on Windows 9x.
//
// The compiler's runtime (its unwinder's and thread support's locks, the C library's locale
// glue) calls three wide-character kernel32 functions that Windows 95/98/Me export only as
// stubs failing with ERROR_CALL_NOT_IMPLEMENTED. The import slots below answer those calls
// with the ANSI functions every Windows implements, so the exe imports no wide function and
// behaves the same everywhere. Only the i686 product exes link this file.
#include <windows.h>

namespace {

// A wide name in the ANSI code page; false when it does not fit.
bool NarrowName(LPCWSTR wide, char (&narrow)[MAX_PATH]) {
    return WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, MAX_PATH, nullptr, nullptr) != 0;
}

HMODULE WINAPI ModuleHandleOfWideName(LPCWSTR name) {
    if (!name) return GetModuleHandleA(nullptr);
    char narrow[MAX_PATH];
    return NarrowName(name, narrow) ? GetModuleHandleA(narrow) : nullptr;
}

HMODULE WINAPI LoadLibraryOfWideName(LPCWSTR name) {
    char narrow[MAX_PATH];
    return name && NarrowName(name, narrow) ? LoadLibraryA(narrow) : nullptr;
}

HANDLE WINAPI SemaphoreOfWideName(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum,
                                  LPCWSTR name) {
    if (!name) return CreateSemaphoreA(attributes, initial, maximum, nullptr);
    char narrow[MAX_PATH];
    return NarrowName(name, narrow) ? CreateSemaphoreA(attributes, initial, maximum, narrow)
                                    : nullptr;
}

}  // namespace

// The import slots' own names (stdcall decoration included), found by the linker here before
// it looks in kernel32's import library. (GCC's spelling; other compilers bring their own
// runtime and do not need this file.)
#if defined(__GNUC__) && !defined(_WIN64)
extern "C" {
extern HMODULE(WINAPI* const desk_GetModuleHandleW)(LPCWSTR)
    __asm__("__imp__GetModuleHandleW@4") = ModuleHandleOfWideName;
extern HMODULE(WINAPI* const desk_LoadLibraryW)(LPCWSTR)
    __asm__("__imp__LoadLibraryW@4") = LoadLibraryOfWideName;
extern HANDLE(WINAPI* const desk_CreateSemaphoreW)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR)
    __asm__("__imp__CreateSemaphoreW@16") = SemaphoreOfWideName;
}
#endif
