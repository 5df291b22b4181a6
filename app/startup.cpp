// The product exes' start-up: the entry point the linker names, in place of a compiler
// run-time's. It does what the system's C run-time does before WinMain and nothing more, so
// the exes carry no library code but their own (and the compiler's integer helpers), and run
// on every processor Windows 98 runs on.
#include <windows.h>

#include "app/command_line.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

namespace {

// The x87 computes in double precision (53-bit mantissa), as Windows programs normally run
// and as the x86_64 build's SSE arithmetic does: the knob's angles then truncate alike.
void UseDoublePrecision() {
#if defined(__i386__) && defined(__GNUC__)
    const unsigned short controlWord = 0x027F;  // all exceptions masked, 53-bit, round to nearest
    __asm__ __volatile__("fldcw %0" : : "m"(controlWord));
#endif
}

// The static constructors the linker gathered, if any: the list starts with -1 (or a count)
// and ends with a null; they run last to first, as the compiler's own start-up runs them.
#if defined(__GNUC__)
using Constructor = void (*)();
extern "C" Constructor __CTOR_LIST__[];
void RunStaticConstructors() {
    int count = 0;
    while (__CTOR_LIST__[count + 1]) ++count;
    for (int i = count; i >= 1; --i) __CTOR_LIST__[i]();
}
#else
void RunStaticConstructors() {}
#endif

int ShowCommandOfStart() {
    STARTUPINFOA start;
    start.cb = sizeof start;
    GetStartupInfoA(&start);
    return (start.dwFlags & STARTF_USESHOWWINDOW) ? start.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

// The entry point: the name a GUI program's linker looks for by default.
extern "C" void WinMainCRTStartup() {
    UseDoublePrecision();
    RunStaticConstructors();
    LPSTR arguments = const_cast<LPSTR>(command_line::ArgumentsOf(GetCommandLineA()));
    ExitProcess(static_cast<UINT>(WinMain(GetModuleHandleA(nullptr), nullptr, arguments, ShowCommandOfStart())));
}

// A call of a pure virtual function (possible only through a half-built or half-destroyed
// object) ends the program, as the compiler's run-time would.
extern "C" void __cxa_pure_virtual() {
    ExitProcess(3);
}
