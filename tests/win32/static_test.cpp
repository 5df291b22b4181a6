#include "controls/static.h"

#include <gtest/gtest.h>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"

// A static made from a name that does not load has no size; the first WM_SETICON of one that
// loads gives it the image's size, and a later one keeps the size it has.
TEST(StaticTest, SetIconSizesAWindowThatHasNoSizeYet) {
    EnsureToolkitRegistered();
    FreeCachedBitmaps();
    const COLORREF kA = RGB(200, 0, 0);
    ASSERT_TRUE(PutCachedBitmap("static_big", TestBitmap(30, 20, {kA}).Release()));
    ASSERT_TRUE(PutCachedBitmap("static_small", TestBitmap(10, 6, {kA}).Release()));
    HWND parent = CreateTestParent();
    HWND w = nullptr;
    {
        BoxWatcher boxes("NotFound");
        w = CreateStatic(TestInstance(), parent, 1, 5, 5, "static_nothing");
    }
    ASSERT_NE(w, nullptr);
    const struct { const char* name; LONG width, height; } rows[] = {
        {nullptr, 0, 0}, {"static_big", 30, 20}, {"static_small", 30, 20}};
    for (const auto& r : rows) {
        if (r.name) SendMessageA(w, WM_SETICON, 0, reinterpret_cast<LPARAM>(r.name));
        RECT client = {};
        GetClientRect(w, &client);
        EXPECT_EQ(client.right, r.width) << (r.name ? r.name : "created");
        EXPECT_EQ(client.bottom, r.height) << (r.name ? r.name : "created");
    }
    // Only a window whose window rectangle is 0 by 0 is sized: not one with a frame around an
    // empty client area, nor one with a side of its own.
    const struct { DWORD style; int width, height; } kept[] = {
        {WS_CHILD | WS_VISIBLE | WS_BORDER, 2, 2}, {WS_CHILD | WS_VISIBLE, 0, 12}, {WS_CHILD | WS_VISIBLE, 12, 0}};
    for (const auto& k : kept) {
        HWND other = CreateWindowExA(0, "Zut_StaticClass", "", k.style, 40, 5, k.width, k.height, parent, nullptr,
                                     TestInstance(), nullptr);
        ASSERT_NE(other, nullptr);
        SendMessageA(other, WM_SETICON, 0, reinterpret_cast<LPARAM>("static_big"));
        RECT bounds = {};
        GetWindowRect(other, &bounds);
        EXPECT_EQ(bounds.right - bounds.left, k.width) << "style " << std::hex << k.style;
        EXPECT_EQ(bounds.bottom - bounds.top, k.height) << "style " << std::hex << k.style;
        DestroyWindow(other);
    }
    SendMessageA(w, WM_SETICON, 0, reinterpret_cast<LPARAM>("static_big"));
    EXPECT_EQ(ScreenPixel(w, 29, 19), kA);
    DestroyWindow(parent);
    FreeCachedBitmaps();
}

TEST(StaticTest, SetIconShowsTheCachedImageAtOnceAndNothingElseIsItsOwn) {
    EnsureToolkitRegistered();
    FreeCachedBitmaps();
    const COLORREF kA = RGB(200, 0, 0), kB = RGB(0, 0, 200), back = GetSysColor(COLOR_WINDOW);
    const HBITMAP a = TestBitmap(30, 20, {kA}).Release(), b = TestBitmap(10, 6, {kB}).Release();
    ASSERT_TRUE(PutCachedBitmap("static_a", a) && PutCachedBitmap("static_b", b));
    HWND parent = CreateTestParent();
    HWND w = CreateStatic(TestInstance(), parent, 0x12345, 5, 5, "static_a");
    HWND twin = CreateStatic(TestInstance(), parent, 2, 50, 5, "static_a");
    const Readings none;
    RunMessageTable(w, {
        {WM_SETICON, 0, reinterpret_cast<LPARAM>("static_b"), 0, Pixel(kB), {}, Repaint::AtOnce},
        {WM_SETICON, 77, reinterpret_cast<LPARAM>("static_a"), 0, Pixel(kA), {}, Repaint::AtOnce},
        {WM_SETICON, 1, reinterpret_cast<LPARAM>("static_a"), 0, Pixel(kA), {}, Repaint::AtOnce},
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3), 0, none, {}, Repaint::None},
        {WM_KEYDOWN, VK_RETURN, 0, 0, none, {}, Repaint::None},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, none, {}, Repaint::None},
        {WM_ERASEBKGND, 0, 0, 0, none, {}, Repaint::None},
    });
    UpdateWindow(twin);
    EXPECT_EQ(ScreenPixel(twin, 29, 19), kA);  // sized by the image
    DestroyWindow(w);  // the image stays the cache's, and the twin's
    EXPECT_EQ(GetStateBlock<StaticState>(twin)->imageBitmap, a);
    EXPECT_EQ(LoadCachedBitmap(TestInstance(), "static_a"), a);

    // A null image, and what an image does not cover, show the class background.
    BoxWatcher boxes("NotFound");
    SendMessageA(twin, WM_SETICON, 0, reinterpret_cast<LPARAM>("static_missing"));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"static_missing"});
    EXPECT_EQ(ScreenPixel(twin, 1, 1), back);
    DibCanvas canvas(16, 10);
    canvas.Fill(RGB(255, 0, 0));
    StaticState block = {b};  // 10 x 6, drawn on any DC, bounded by the rectangle
    DrawStatic(canvas.dc(), RECT{0, 0, 14, 8}, &block);
    EXPECT_EQ((std::vector<COLORREF>{canvas.Pixel(9, 5), canvas.Pixel(12, 1), canvas.Pixel(1, 7), canvas.Pixel(14, 8)}),
              (std::vector<COLORREF>{kB, back, back, RGB(255, 0, 0)}));
    DestroyWindow(parent);
}
