#include "controls/smalltext.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"

// Made by hand, as a creator without CreateSmallText would: the window name is not the text.
TEST(SmallTextTest, SetTextCutsAndInvalidatesAnswersZeroAndLeavesTheTitle) {
    EnsureToolkitRegistered();
    HWND parent = CreateTestParent();
    HWND w = CreateWindowExA(0, "Zut_SmallTextClass", "title", WS_CHILD | WS_VISIBLE, 5, 5, 80, 20, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(0x12345)), TestInstance(), nullptr);
    const std::string longText(100, 'x');
    char title[16] = "";
    const Readings none;
    Readers length;
    length.textLength = [](HWND c) { return lstrlenA(GetStateBlock<SmallTextState>(c)->text); };
    RunMessageTable(w, {
        {WM_SETTEXT, 0, reinterpret_cast<LPARAM>("label"), 0, TextLength(5), {}, Repaint::Invalidated},
        {WM_SETTEXT, 0, reinterpret_cast<LPARAM>(longText.c_str()), 0, TextLength(63), {}, Repaint::Invalidated},
        {WM_SETTEXT, 0, 0, 0, TextLength(0), {}, Repaint::Invalidated},  // no text: the empty one
        {WM_GETTEXT, sizeof title, reinterpret_cast<LPARAM>(title), 5, none, {}, Repaint::None},
        {WM_GETDLGCODE, 0, 0, 0, none, {}, Repaint::None},  // the system's answer
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3), 0, none, {}, Repaint::None},
        {WM_ERASEBKGND, 0, 0, 0, none, {}, Repaint::None},
    }, length);
    EXPECT_STREQ(title, "title");
    EXPECT_FALSE(SetWindowTextA(w, "x"));
    const SmallTextState* made = GetStateBlock<SmallTextState>(CreateSmallText(TestInstance(), parent, 2, 0, 30, 50, 20));
    EXPECT_EQ((std::vector<COLORREF>{made->textColor, made->backColor, static_cast<COLORREF>(made->text[0])}),
              (std::vector<COLORREF>{kSmallTextDefaultText, kSmallTextDefaultBack, 0}));
    // The label made by hand starts in the same colours: it reads before its creator sets any.
    const SmallTextState* byHand = GetStateBlock<SmallTextState>(w);
    EXPECT_EQ((std::vector<COLORREF>{byHand->textColor, byHand->backColor}),
              (std::vector<COLORREF>{kSmallTextDefaultText, kSmallTextDefaultBack}));
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
    EXPECT_EQ(ScreenPixel(w, 2, 17), kSmallTextDefaultBack);
    DestroyWindow(parent);
}

// The background, then the text in the shared font (a tall one stands in, so that its glyphs
// tell which font drew) with its top centre at half the width and y 0; the DC's font is back
// afterwards.
TEST(SmallTextTest, PaintCentresTheTextAtTheTopInTheSharedFont) {
    const HFONT shared = SharedFont;
    SharedFont = CreateFontA(40, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
    const COLORREF back = RGB(0, 0, 90);
    SmallTextState block = {RGB(255, 255, 0), back, "WWWW"};
    DibCanvas canvas(200, 50);
    const HGDIOBJ font = GetCurrentObject(canvas.dc(), OBJ_FONT);
    DrawSmallText(canvas.dc(), RECT{0, 0, 200, 50}, &block);
    EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_FONT), font);
    int left = 200, right = -1, bottom = -1, ink = 0, cellFill = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 200; ++x) {
            const COLORREF c = canvas.Pixel(x, y);
            if (c != back) left = std::min(left, x), right = std::max(right, x), bottom = y;
            ink += c == RGB(255, 255, 0);
            cellFill += c == GetBkColor(canvas.dc());  // an opaque text cell would show it
        }
    EXPECT_GT(ink, 0);         // in the text colour
    EXPECT_EQ(cellFill, 0);    // transparent
    EXPECT_NEAR(left + right, 199, 3);  // centred on x 100
    EXPECT_GT(right - left, 60);        // four tall W, not the DC's font
    EXPECT_GT(bottom, 20);              // the tall font, standing below y 0
    EXPECT_LT(bottom, 40);
    DeleteObject(SharedFont);
    SharedFont = shared;
}
