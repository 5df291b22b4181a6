#include "controls/bmpgage.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr COLORREF kFilled = RGB(110, 150, 176), kEmpty = RGB(191, 199, 207);
constexpr COLORREF kPen = RGB(0, 128, 0), kRed = RGB(255, 0, 0);

// SBM_SETPOS stores any level and repaints at once, also unchanged; SBM_GETPOS is left to
// DefWindowProc (0); input does nothing and nothing posts; no erasing, all keys wanted. The paint
// routine's worked numbers along the middle row: the filled part from the rectangle's left, the
// empty part from the filled part's border column, both outlined with the DC's own pen; the DC's
// brush comes back.
TEST(BmpGageTest, SetPosRepaintsAtOnceAndThePaintSplitsTheBarOnOneBorderColumn) {
    EnsureToolkitRegistered();
    HWND parent = CreateTestParent();
    HWND w = CreateBmpGage(TestInstance(), parent, 0x12345, 10, 10, 101, 20, 30);
    EXPECT_EQ(GetStateBlock<BmpGageState>(w)->level, 30);
    DibCanvas erase(4, 4);
    erase.Fill(kRed);
    Readers level;
    level.position = [](HWND c) { return GetStateBlock<BmpGageState>(c)->level; };
    RunMessageTable(w, {
        {SBM_SETPOS, 50, 0x77, 0, Position(50), {}, Repaint::AtOnce},
        {SBM_SETPOS, 50, 0, 0, Position(50), {}, Repaint::AtOnce},
        {SBM_GETPOS, 0, 0, 0, Position(50), {}, Repaint::None},
        {SBM_SETPOS, INT_MAX, 0, 0, Position(INT_MAX), {}, Repaint::AtOnce},
        {WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, Position(INT_MAX), {}, Repaint::None},
        {WM_ERASEBKGND, reinterpret_cast<WPARAM>(erase.dc()), 0, 0, {}, {}, Repaint::None},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, {}, {}, Repaint::None},
    }, level);
    EXPECT_EQ(erase.Pixel(1, 1), kRed);
    DestroyWindow(parent);

    DibCanvas canvas(200, 20);
    OwnedGdi<HPEN> pen(CreatePen(PS_SOLID, 1, kPen));
    SelectGuard keepPen(canvas.dc(), pen);
    const HGDIOBJ brush = GetCurrentObject(canvas.dc(), OBJ_BRUSH);
    const struct { LONG left, right, level; std::vector<std::pair<int, COLORREF>> probes; } cases[] = {
        {0, 101, 50, {{0, kPen}, {1, kFilled}, {48, kFilled}, {49, kPen}, {50, kEmpty}, {99, kEmpty}, {100, kPen}, {101, kRed}}},
        {0, 199, 50, {{97, kFilled}, {98, kPen}, {99, kEmpty}, {198, kPen}}},
        {0, 101, 0, {{0, kEmpty}, {99, kEmpty}, {100, kPen}}},
        {0, 101, 100, {{0, kPen}, {99, kFilled}, {100, kPen}}},
        {10, 111, 50, {{9, kRed}, {10, kPen}, {58, kFilled}, {59, kPen}, {60, kEmpty}, {110, kPen}}},
    };
    for (const auto& c : cases) {
        canvas.Fill(kRed);
        const BmpGageState block = {0, c.level};
        DrawBmpGage(canvas.dc(), RECT{c.left, 0, c.right, 20}, &block);
        for (const auto& [x, colour] : c.probes) EXPECT_EQ(canvas.Pixel(x, 10), colour) << c.level << " at " << x;
        EXPECT_EQ(canvas.Pixel(c.left + 1, 0), kPen) << c.level;
        EXPECT_EQ(GetCurrentObject(canvas.dc(), OBJ_BRUSH), brush);
    }
}

}  // namespace
