#include "app/desk_window.h"

#include <gtest/gtest.h>

#include "app/desk_panel.h"
#include "controls/toolkit_class.h"
#include "tests/win32/device_recorder.h"
#include "tests/win32/win32_test_support.h"

namespace {

// Closes the desk once the message loop runs.
void CALLBACK CloseDeskOnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    HWND desk = FindOwnWindow("QORINPAN");
    if (!desk) return;
    KillTimer(nullptr, id);
    EXPECT_TRUE(IsWindowVisible(desk));
    PostMessageA(desk, WM_CLOSE, 0, 0);
}

class DeskWindow : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureToolkitRegistered();
        g_device.Reset(true);
        DrainPosted();
    }
    void TearDown() override {
        if (window && IsWindow(window)) DestroyWindow(window);
        DrainPosted();  // the quit message WM_DESTROY posts
    }
    HWND window = nullptr;
};

TEST_F(DeskWindow, ClassTitleStyleSizeAndPlaceFollowTheBackground) {
    window = CreateDeskWindow(TestInstance());
    ASSERT_NE(window, nullptr);

    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    EXPECT_STREQ(className, "QORINPAN");
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(TestInstance(), "QORINPAN", &wc));
    EXPECT_EQ(wc.style, 3u);
    EXPECT_EQ(wc.cbClsExtra, 0);
    EXPECT_EQ(wc.cbWndExtra, 0);
    EXPECT_NE(wc.hIcon, nullptr);
    EXPECT_EQ(wc.hCursor, LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(7));
    EXPECT_EQ(wc.lpszMenuName, nullptr);

    char title[128] = "";
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "Korvane - SMPTE Desk 2.5 11-16-1999");
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(static_cast<DWORD>(style) & ~static_cast<DWORD>(WS_CLIPSIBLINGS), 0x80CA0000u);
    EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0) << "neither maximised nor resized";
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
    EXPECT_FALSE(IsWindowVisible(window)) << "shown only by RunDeskWindow";

    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 339 + 6);
    EXPECT_EQ(r.bottom - r.top, 100 + 25);
    // Centred by the bitmap's size, not the window's.
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 339) / 2);
    EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 100) / 2);
    EXPECT_EQ(g_backgroundBitmap, LoadCachedBitmap(TestInstance(), "smptebak"));
}

TEST_F(DeskWindow, PaintsTheBackgroundBitmapAndErasesNothing) {
    window = CreateDeskWindow(TestInstance());
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    PumpMessages();
    EXPECT_EQ(SendMessageA(window, WM_ERASEBKGND, 0, 0), 0);

    DibCanvas expected(339, 100);
    {
        HDC memory = CreateCompatibleDC(expected.dc());
        HGDIOBJ old = SelectObject(memory, g_backgroundBitmap);
        BitBlt(expected.dc(), 0, 0, 339, 100, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    DibCanvas shown(339, 100);
    CaptureClient(window, shown);
    // Probes where no control stands: corners with their screws, the plate's edges, the
    // caption FRAME/S, the gap between display and rate toggles.
    const POINT probes[] = {{0, 0}, {8, 8}, {330, 8}, {8, 92}, {330, 92}, {20, 40},
                            {300, 80}, {290, 84}, {150, 64}, {320, 40}, {265, 15}};
    RECT client;
    GetClientRect(window, &client);
    for (const POINT& p : probes) {
        if (p.x >= client.right || p.y >= client.bottom) continue;
        EXPECT_EQ(shown.Pixel(p.x, p.y), expected.Pixel(p.x, p.y)) << p.x << "," << p.y;
    }
    // The display window is black.
    EXPECT_EQ(shown.Pixel(33, 16), RGB(0, 0, 0));
}

TEST_F(DeskWindow, RefusesCreationWhenThePanelCannotBeAllocated) {
    void* (*saved)(SIZE_T) = g_deskPanelAlloc;
    g_deskPanelAlloc = [](SIZE_T) -> void* { return nullptr; };
    window = CreateDeskWindow(TestInstance());
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(g_deskPanel, nullptr);
    EXPECT_EQ(FindOwnWindow("QORINPAN"), nullptr);
    EXPECT_EQ(RunDeskWindow(TestInstance(), SW_SHOWNORMAL), 0) << "no window, exit code 0";
    MSG quit;
    EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "no quit message left behind";
    g_deskPanelAlloc = saved;
}

TEST_F(DeskWindow, WithoutItsBackgroundKeepsTheDesignedSizeAndPaintsBlack) {
    // The cache answers null for a name whose load failed: make "smptebak" such a name by
    // asking a module that lacks it.
    FreeCachedBitmaps();
    {
        BoxWatcher boxes("NotFound");
        EXPECT_EQ(LoadCachedBitmap(GetModuleHandleA("kernel32.dll"), "smptebak"), nullptr);
        EXPECT_EQ(boxes.Texts().size(), 1u);
    }
    window = CreateDeskWindow(TestInstance());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(g_backgroundBitmap, nullptr);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.right - r.left, 345);
    EXPECT_EQ(r.bottom - r.top, 125);
    DibCanvas canvas(339, 100);
    canvas.Fill(RGB(255, 255, 255));
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    PumpMessages();
    CaptureClient(window, canvas);
    EXPECT_EQ(canvas.Pixel(5, 5), RGB(0, 0, 0));
    EXPECT_EQ(canvas.Pixel(330, 90), RGB(0, 0, 0));
    DestroyWindow(window);
    FreeCachedBitmaps();
}

TEST_F(DeskWindow, MouseMoveTakesTheFocusOnlyWhenTheDeskIsInFront) {
    window = CreateDeskWindow(TestInstance());
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    HWND other = CreateTestParent();
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, other,
                                nullptr, TestInstance(), nullptr);
    SetForegroundWindow(other);
    SetFocus(edit);
    PumpMessages();
    ASSERT_EQ(GetForegroundWindow(), other);
    EXPECT_EQ(SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10)), 0);
    EXPECT_EQ(GetFocus(), edit);

    SetForegroundWindow(window);
    PumpMessages();
    ASSERT_EQ(GetForegroundWindow(), window);
    SetFocus(nullptr);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_EQ(GetFocus(), window);
    DestroyWindow(other);
}

TEST_F(DeskWindow, AcceleratorsGiveCommand104WhichDoesNothing) {
    HACCEL table = LoadAcceleratorsA(TestInstance(), MAKEINTRESOURCEA(109));
    ASSERT_NE(table, nullptr);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableA(table, entries, 4), 2);
    for (const ACCEL& a : entries) {
        if (a.cmd == 0) continue;
        EXPECT_EQ(a.cmd, 104);
        EXPECT_EQ(a.fVirt & (FVIRTKEY | FALT), FALT) << "a character code with Alt";
    }
    EXPECT_EQ(entries[0].key, '?');
    EXPECT_EQ(entries[1].key, '/');

    window = CreateDeskWindow(TestInstance());
    ASSERT_NE(window, nullptr);
    g_device.Reset(true);
    // The accelerator matches the character with the Alt key down in the thread's key state.
    BYTE keys[256], altDown[256];
    GetKeyboardState(keys);
    memcpy(altDown, keys, sizeof keys);
    altDown[VK_MENU] = 0x80;
    SetKeyboardState(altDown);
    MSG question = {window, WM_SYSCHAR, '?', 0x20000001, 0, {0, 0}};
    MSG slash = {window, WM_SYSCHAR, '/', 0x20000001, 0, {0, 0}};
    const bool translatedQuestion = TranslateAcceleratorA(window, table, &question) != 0;
    const bool translatedSlash = TranslateAcceleratorA(window, table, &slash) != 0;
    SetKeyboardState(keys);
    EXPECT_TRUE(translatedQuestion);
    EXPECT_TRUE(translatedSlash);
    EXPECT_TRUE(g_device.calls.empty()) << "command 104 sends nothing";
}

TEST_F(DeskWindow, RunDeskWindowShowsTheDeskAndReturnsZeroWhenItIsClosed) {
    SetTimer(nullptr, 0, 50, CloseDeskOnTimer);
    EXPECT_EQ(RunDeskWindow(TestInstance(), SW_SHOWNORMAL), 0);
    EXPECT_EQ(FindOwnWindow("QORINPAN"), nullptr);
}

TEST_F(DeskWindow, CreatingPaintingAndDestroyingLeaksNoGdiObject) {
    // Warm up: the first window, DC and paint allocate a few lasting objects.
    for (int i = 0; i < 2; ++i) {
        HWND w = CreateDeskWindow(TestInstance());
        ShowWindow(w, SW_SHOWNORMAL);
        UpdateWindow(w);
        DestroyWindow(w);
        DrainPosted();
    }
    const int before = FreeGdiSlots();
    for (int i = 0; i < 20; ++i) {
        HWND w = CreateDeskWindow(TestInstance());
        ShowWindow(w, SW_SHOWNORMAL);
        for (int j = 0; j < 10; ++j) {
            InvalidateRect(w, nullptr, FALSE);
            UpdateWindow(w);
        }
        DestroyWindow(w);
        DrainPosted();
    }
    EXPECT_EQ(FreeGdiSlots(), before);
}

}  // namespace
