#include "controls/digit.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

const std::vector<COLORREF> kColours = DistinctColours(10);

// Made by hand, a display shows 359 once its strip is filled in. Every SBM_SETPOS repaints at
// once, also with the number unchanged; a number outside 0..999 shows the nearest bound and is
// kept as set. Nothing posts, and nothing else draws; no erasing, all keys wanted. The paint
// routine copies the 18 x 7 composition to the DC's origin and nothing more.
TEST(DigitTest, SetPosRepaintsAtOnceAndThePaintComposesThreeGlyphs) {
    EnsureToolkitRegistered();
    HWND parent = CreateTestParent();
    TestBitmap strip(6, 7, kColours);
    HWND w = CreateWindowExA(0, "Zut_DigitClass", "", WS_CHILD | WS_VISIBLE, 10, 10, 18, 7, parent,
                             reinterpret_cast<HMENU>(0x12345), TestInstance(), nullptr);
    GetStateBlock<DigitState>(w)->digitBitmap = strip;
    UpdateWindow(w);
    DibCanvas erase(4, 4);
    erase.Fill(RGB(255, 0, 0));
    Readers shown;
    shown.cells = [](HWND c) { DibCanvas s(18, 7); CaptureClient(c, s); return ShownCells(s, 3, kColours); };
    EXPECT_EQ(shown.cells(w), CellCode({3, 5, 9}));
    RunMessageTable(w, {
        {SBM_SETPOS, 42, 0x55, 0, Cells({0, 4, 2}), {}, Repaint::AtOnce},
        {SBM_SETPOS, 42, 0, 0, Cells({0, 4, 2}), {}, Repaint::AtOnce},
        {SBM_GETPOS, 0, 0, 0, {}, {}, Repaint::None},  // DefWindowProc's
        {SBM_SETPOS, static_cast<WPARAM>(-5), 0, 0, Cells({0, 0, 0}), {}, Repaint::AtOnce},
        {WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, {}, {}, Repaint::None},
        {WM_ERASEBKGND, reinterpret_cast<WPARAM>(erase.dc()), 0, 0, {}, {}, Repaint::None},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, {}, {}, Repaint::None},
    }, shown);
    EXPECT_EQ(erase.Pixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetStateBlock<DigitState>(w)->value, -5);
    DestroyWindow(parent);

    DibCanvas canvas(24, 10), red(24, 10);
    red.Fill(RGB(255, 0, 0));
    canvas.Fill(RGB(255, 0, 0));
    const DigitState block = {628, strip};
    DrawDigit(canvas.dc(), RECT{0, 0, 24, 10}, &block);
    EXPECT_EQ(ShownCells(canvas, 3, kColours), CellCode({6, 2, 8}));
    EXPECT_EQ(DifferentPixels(canvas, red), 18 * 7);
}

}  // namespace
