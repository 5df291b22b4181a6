// Read before GoogleTest's own headers in every i686 test program (CMakeLists.txt).
#pragma once
#include <windows.h>

namespace testing {
namespace internal {

// The win32 thread model's standard library has no std::mutex or std::condition_variable: the
// one class GoogleTest builds on them, a one-shot notification between threads, made of a
// manual-reset Win32 event.
class Notification {
public:
    Notification() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Notification() { CloseHandle(event_); }
    Notification(const Notification&) = delete;
    Notification& operator=(const Notification&) = delete;
    void Notify() { SetEvent(event_); }
    void WaitForNotification() { WaitForSingleObject(event_, INFINITE); }

private:
    HANDLE event_;
};

}  // namespace internal
}  // namespace testing

// GoogleTest hands every failure to OutputDebugStringA too, which raises an exception; under
// emulated 32-bit Wine a raised exception kills the program (seen: "stack smashing detected"
// in Wine's dispatcher), so a test program ended at its first failure without running or
// reporting the rest. Here the test programs' OutputDebugStringA does nothing: the failure is
// on standard output already.
#if defined(__GNUC__) && !defined(_WIN64)
extern "C" {
inline void WINAPI DeskTestsNoDebugString(LPCSTR) {}
__attribute__((used)) inline void(WINAPI* const desk_tests_OutputDebugStringA)(LPCSTR)
    __asm__("__imp__OutputDebugStringA@4") = DeskTestsNoDebugString;
}
#endif
