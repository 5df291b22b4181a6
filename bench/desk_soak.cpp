// The running desk's resource and CPU figures: the desk (with the stand-in driver) runs its
// generator for a while, handling every WM_MTC_BYTE and repaint as the program does, and
// this program reports what the desk process used and kept.
//
//   desk_soak.exe [seconds (60)] [rate index (4 = 30 fps)]
//
// GDI objects are counted by free handle slots (GetGuiResources answers 0 under Wine): the
// slots free before minus the slots free after is the number of GDI objects the run kept.
// USER objects are counted as this process's windows. Exit code 0 when nothing was kept and
// the shown time advanced at the rate.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "app/desk_panel.h"
#include "app/desk_window.h"
#include "bench/process_cpu.h"
#include "controls/toolkit.h"
#include "tests/win32/win32_test_support.h"

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND w, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    EnumChildWindows(w, CountChild, count);
    return TRUE;
}

int WindowCount() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

// Handles messages until the given time has passed.
void RunFor(DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    for (;;) {
        const DWORD now = GetTickCount();
        if (static_cast<LONG>(end - now) <= 0) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

long ShownFrames(const DeskPanel& p, int fps) {
    auto pos = [](HWND w) { return static_cast<long>(SendMessageA(w, SBM_GETPOS, 0, 0)); };
    return ((pos(p.hours) * 60 + pos(p.minutes)) * 60 + pos(p.seconds)) * fps + pos(p.frames);
}

void Press(HWND toggle) {
    SendMessageA(toggle, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(toggle, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int rate = argc > 2 ? std::atoi(argv[2]) : 4;
    const int fps[5] = {24, 25, 30, 30, 30};

    HINSTANCE instance = GetModuleHandleA(nullptr);
    RegisterControlClasses(instance);
    HWND desk = CreateDeskWindow(instance);
    if (!desk || !g_deskPanel) {
        std::printf("the desk could not be created\n");
        return 1;
    }
    ShowWindow(desk, SW_SHOWNORMAL);
    UpdateWindow(desk);
    const DeskPanel& panel = *g_deskPanel;
    Press(panel.rateToggles[rate]);
    RunFor(100);
    // Start at 00:00:00:00 and let the first sets arrive and every lasting object settle.
    Press(panel.startToggle);
    RunFor(2000);

    const int slotsBefore = FreeGdiSlots();
    const int windowsBefore = WindowCount();
    const long framesBefore = ShownFrames(panel, fps[rate]);
    const double cpuBefore = ProcessCpuSeconds();
    const DWORD t0 = GetTickCount();

    RunFor(static_cast<DWORD>(seconds) * 1000);

    const double wall = (GetTickCount() - t0) / 1000.0;
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    const long framesAfter = ShownFrames(panel, fps[rate]);
    const int windowsAfter = WindowCount();
    const int slotsAfter = FreeGdiSlots();

    Press(panel.startToggle);  // stop
    RunFor(100);
    DestroyWindow(desk);
    UnregisterControlClasses();

    const double expectedFrames = wall * (rate == 2 || rate == 3 ? 30000.0 / 1001.0 : fps[rate]);
    const long shown = framesAfter - framesBefore;
    std::printf("ran %.1f s at rate index %d\n", wall, rate);
    std::printf("GDI objects kept: %d (free slots %d -> %d)\n", slotsBefore - slotsAfter,
                slotsBefore, slotsAfter);
    std::printf("windows: %d -> %d\n", windowsBefore, windowsAfter);
    std::printf("CPU: %.2f s in %.1f s = %.2f%% of one core\n", cpu, wall, 100.0 * cpu / wall);
    std::printf("shown time advanced %ld frames, expected about %.0f\n", shown, expectedFrames);
    const bool ok = slotsBefore == slotsAfter && windowsBefore == windowsAfter &&
                    shown > expectedFrames - 10 && shown < expectedFrames + 10;
    return ok ? 0 : 1;
}
