#include "controls/bmptext.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

const std::vector<COLORREF> kColours = DistinctColours(39);

LPARAM Text(const char* text) { return reinterpret_cast<LPARAM>(text); }

// Made by hand with a caption: WM_SETTEXT keeps at most 30 characters, repaints exactly length
// cells at once (past the NUL, whatever an earlier text left), upper-cases the stored text and
// answers 0; DefWindowProc never sees it, so the caption stays. Nothing posts; no erasing, all
// keys wanted. The paint routine draws length cells held to 0..32 at the DC's origin, and nothing
// more.
TEST(BmpTextTest, SetTextRepaintsAtOnceKeepsTheCaptionAndThePaintStaysInTheText) {
    EnsureToolkitRegistered();
    HWND parent = CreateTestParent();
    TestBitmap strip(6, 7, kColours);
    HWND w = CreateWindowExA(0, "Zut_BmpTextClass", "caption", WS_CHILD | WS_VISIBLE, 10, 10, 24, 7, parent,
                             reinterpret_cast<HMENU>(0x12345), TestInstance(), nullptr);
    BmpTextState* block = GetStateBlock<BmpTextState>(w);
    block->charBitmap = strip;
    block->length = 4;
    DibCanvas erase(4, 4);
    erase.Fill(RGB(255, 0, 0));
    Readers shown;
    shown.cells = [](HWND c) { DibCanvas s(24, 7); CaptureClient(c, s); return ShownCells(s, 4, kColours); };
    RunMessageTable(w, {
        {WM_SETTEXT, 0, Text("abc"), 0, Cells({0, 1, 2, 38}), {}, Repaint::AtOnce},
        {WM_SETTEXT, 0, Text(""), 0, Cells({38, 1, 2, 38}), {}, Repaint::AtOnce},
        {WM_SETTEXT, 0, Text("0123456789abcdefghijklmnopqrstuvwxyz"), 0, Cells({26, 27, 28, 29}), {}, Repaint::AtOnce},
        {WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, {}, {}, Repaint::None},
        {WM_ERASEBKGND, reinterpret_cast<WPARAM>(erase.dc()), 0, 0, {}, {}, Repaint::None},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, {}, {}, Repaint::None},
    }, shown);
    EXPECT_EQ(erase.Pixel(1, 1), RGB(255, 0, 0));
    EXPECT_STREQ(block->text, "0123456789ABCDEFGHIJKLMNOPQRST");
    char caption[16] = "";
    GetWindowTextA(w, caption, sizeof caption);
    EXPECT_STREQ(caption, "caption");
    DestroyWindow(parent);

    DibCanvas canvas(200, 9), red(200, 9);
    red.Fill(RGB(255, 0, 0));
    BmpTextState painted = {"aB", strip, 0};
    painted.text[3] = '7';
    for (const LONG length : {-3, 0, 40}) {
        painted.length = length;
        canvas.Fill(RGB(255, 0, 0));
        DrawBmpText(canvas.dc(), RECT{0, 0, 200, 9}, &painted);
        EXPECT_EQ(DifferentPixels(canvas, red), length > 0 ? 32 * 6 * 7 : 0) << length;
    }
    EXPECT_EQ(ShownCells(canvas, 4, kColours), CellCode({0, 1, 38, 33}));
}

}  // namespace
