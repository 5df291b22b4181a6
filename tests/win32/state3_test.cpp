#include "controls/state3.h"

#include <gtest/gtest.h>

#include "tests/win32/control_table.h"

TEST(State3Test, PressesStepNotifyAndTakeCaptureAndFocusSetCheckStoresAsItComes) {
    EnsureToolkitRegistered();
    HWND parent = CreateTestParent();
    const COLORREF k0 = RGB(200, 0, 0), k1 = RGB(0, 160, 0), k2 = RGB(0, 0, 200);
    TestBitmap s0(20, 10, {k0}), s1(20, 10, {k1}), s2(20, 10, {k2});
    HWND w = CreateState3(TestInstance(), parent, 0x12345, 5, 5, s0, s1, s2);
    const LPARAM in = MAKELPARAM(3, 3);
    const Readings none, back = Pixel(GetSysColor(COLOR_WINDOW));
    RunMessageTable(w, {
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, Pixel(k1), {Command(0)}, Repaint::AtOnce},
        {WM_LBUTTONUP, 0, in, 1, none, {}, Repaint::None},  // answers the state, posts nothing
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, Pixel(k2), {Command(0)}, Repaint::AtOnce},
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, Pixel(k0), {Command(0)}, Repaint::AtOnce},
        {BM_SETCHECK, 5, 7, 0, back, {}, Repaint::AtOnce},  // no image of its own: background
        {BM_GETCHECK, 0, 0, 5, none, {}, Repaint::None},
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, Pixel(k0), {Command(0)}, Repaint::AtOnce},  // (5 + 1) mod 3
        {BM_SETCHECK, static_cast<WPARAM>(-2), 0, 0, back, {}, Repaint::AtOnce},
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, back, {Command(0)}, Repaint::AtOnce},  // -1
        {BM_GETCHECK, 0, 0, -1, none, {}, Repaint::None},
        {WM_RBUTTONDOWN, MK_RBUTTON, in, 0, none, {}, Repaint::None},
        {WM_KEYDOWN, VK_SPACE, 0, 0, none, {}, Repaint::None},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), in, 0, none, {}, Repaint::None},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, none, {}, Repaint::None},
        {WM_ERASEBKGND, 0, 0, 0, none, {}, Repaint::None},
    });
    SetFocus(parent);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, in);
    EXPECT_EQ(GetCapture(), w);
    EXPECT_EQ(GetFocus(), w);
    SendMessageA(w, WM_LBUTTONUP, 0, in);
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(parent);
}
