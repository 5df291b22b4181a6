#include "controls/onoff.h"

#include <gtest/gtest.h>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"

// Every switch fetches its four images at WM_CREATE, by identifier, before its block: a
// refused switch still asks for all four (none is found here).
TEST(OnOffTest, CreationFetchesTheFourImagesInOrderBeforeTheBlock) {
    EnsureToolkitRegistered();
    FreeCachedBitmaps();
    HWND parent = CreateTestParent();
    BoxWatcher boxes("NotFound");
    RefuseStateBlocks refuse;
    EXPECT_EQ(CreateOnOff(TestInstance(), parent, 1, 0, 0, 20, 10), nullptr);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"#132", "#131", "#129", "#130"}));
    DestroyWindow(parent);
}

TEST(OnOffTest, PressNotifiesWithTheWholeIdThenFlipsDragOutAndSetCheckRepaintAtOnce) {
    EnsureToolkitRegistered();
    FreeCachedBitmaps();
    // Pressed off, released off, released on, pressed on: identifiers 0x81 to 0x84.
    const COLORREF image[] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(200, 200, 0)};
    for (int k = 0; k < 4; ++k) ASSERT_TRUE(PutCachedBitmap(MAKEINTRESOURCEA(0x81 + k), TestBitmap(20, 10, {image[k]}).Release()));
    HWND parent = CreateTestParent();
    HWND w = CreateOnOff(TestInstance(), parent, 0x12345, 5, 5, 20, 10);
    const LPARAM in = MAKELPARAM(3, 3), out = MAKELPARAM(20, 3), leftAbove = MAKELPARAM(0xFFFF, 0xFFFF);
    const Readings pressedOff = Pixel(image[0]), releasedOff = Pixel(image[1]), releasedOn = Pixel(image[2]),
                   pressedOn = Pixel(image[3]), none;
    RunMessageTable(w, {
        {BM_GETCHECK, 0, 0, 0, none, {}, Repaint::None},
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, pressedOff + Captured(true), {CommandWholeId()}, Repaint::AtOnce},
        {BM_GETCHECK, 0, 0, 1, none, {}, Repaint::None},
        {WM_MOUSEMOVE, MK_LBUTTON, in, 0, none, {}, Repaint::None},
        {WM_MOUSEMOVE, 0, out, 0, none, {}, Repaint::None},  // no button, no key: ignored
        {WM_MOUSEMOVE, MK_LBUTTON, out, 0, releasedOn, {}, Repaint::AtOnce},
        {WM_MOUSEMOVE, MK_LBUTTON, out, 0, none, {}, Repaint::None},  // dragged out already
        {WM_LBUTTONUP, 0, out, 0, releasedOn + Captured(false), {}, Repaint::AtOnce},
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, pressedOn, {CommandWholeId()}, Repaint::AtOnce},
        {WM_MOUSEMOVE, MK_SHIFT, leftAbove, 0, releasedOff, {}, Repaint::AtOnce},  // the press cleared the flag
        {WM_LBUTTONUP, 0, in, 0, releasedOff, {}, Repaint::AtOnce},
        {BM_SETCHECK, 1, 0, 0, releasedOn, {}, Repaint::AtOnce},
        {BM_SETCHECK, 2, 0, 0, releasedOn, {}, Repaint::AtOnce},  // kept, but repainted
        {BM_SETCHECK, 0, 0, 0, releasedOff, {}, Repaint::AtOnce},
        {WM_RBUTTONDOWN, MK_RBUTTON, in, 0, none, {}, Repaint::None},
        {WM_KEYDOWN, VK_SPACE, 0, 0, none, {}, Repaint::None},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, none, {}, Repaint::None},
        {WM_ERASEBKGND, 0, 0, 0, none, {}, Repaint::None},
    });
    SetFocus(parent);
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, in);  // now on: WM_PAINT draws released on
    EXPECT_EQ(GetCapture(), w);
    EXPECT_EQ(GetFocus(), w);
    InvalidateRect(w, nullptr, FALSE);
    UpdateWindow(w);
    EXPECT_EQ(ScreenPixel(w, 1, 1), image[2]);
    DestroyWindow(parent);
}
