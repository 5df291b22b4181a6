#include "controls/bmplist.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

const std::vector<COLORREF> kColours = DistinctColours(3);
constexpr COLORREF kRed = RGB(255, 0, 0);

// The list copies the caller's table and takes the size of the largest image. Each press and each
// wheel message moves one image, repaints at once and posts the id whole (0x12345: its high word
// stands where a code would), also when a bound keeps the position; SBM_SETPOS takes any position
// and posts nothing; no erasing, all keys wanted. The paint routine copies the image at its own
// size to the DC's origin, the nearest end for a position outside the table, nothing without
// images.
TEST(BmpListTest, StepsRepaintAtOnceAndPostTheWholeIdAndThePaintStaysInTheTable) {
    EnsureToolkitRegistered();
    HWND parent = CreateTestParent();
    TestBitmap a(10, 8, {kColours[0]}), b(16, 12, {kColours[1]}), c(12, 6, {kColours[2]});
    HBITMAP images[3] = {a, b, c};
    HWND w = CreateBmpList(TestInstance(), parent, 0x12345, 10, 10, images, 3);
    images[0] = nullptr;
    RECT r;
    GetClientRect(w, &r);
    EXPECT_EQ((std::vector<LONG>{r.right, r.bottom}), (std::vector<LONG>{16, 12}));
    const std::vector<Notice> posts = {CommandWholeId()};
    DibCanvas erase(4, 4);
    erase.Fill(kRed);
    RunMessageTable(w, {
        {WM_RBUTTONDOWN, MK_RBUTTON, 0, 0, Position(0), posts, Repaint::AtOnce},
        {WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, Position(1), posts, Repaint::AtOnce},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0, 0, Position(0), posts, Repaint::AtOnce},
        {SBM_SETPOS, 7, 0x99, 0, Position(7), {}, Repaint::AtOnce},
        {SBM_GETPOS, 0, 0, 7, Position(7), {}, Repaint::None},
        {WM_LBUTTONUP, 0, 0, 0, Position(7), {}, Repaint::None},
        {WM_MOUSEMOVE, 0, 0, 0, Position(7), {}, Repaint::None},
        {WM_ERASEBKGND, reinterpret_cast<WPARAM>(erase.dc()), 0, 0, {}, {}, Repaint::None},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, {}, {}, Repaint::None},
    });
    EXPECT_EQ(erase.Pixel(1, 1), kRed);
    DestroyWindow(parent);

    DibCanvas canvas(20, 16), red(20, 16);
    red.Fill(kRed);
    const struct { LONG pos, count; HBITMAP* table; int pixels; COLORREF corner; } cases[] = {
        {1, 3, images, 16 * 12, kColours[1]}, {7, 3, images, 12 * 6, kColours[2]}, {0, 0, images, 0, kRed}, {0, 3, nullptr, 0, kRed}};
    for (const auto& k : cases) {
        const BmpListState block = {k.pos, k.count, k.table};
        canvas.Fill(kRed);
        DrawBmpList(canvas.dc(), RECT{0, 0, 20, 16}, &block);
        EXPECT_EQ(DifferentPixels(canvas, red), k.pixels) << k.pos << " of " << k.count;
        EXPECT_EQ(canvas.Pixel(0, 0), k.corner) << k.pos << " of " << k.count;
    }
}

// A table put into the block by hand stays its creator's: the list never frees it. The copy
// CreateBmpList made is the list's, freed with it.
TEST(BmpListTest, HandMadeTableStaysItsCreatorsAndItsOwnCopyGoesWithIt) {
    EnsureToolkitRegistered();
    auto* table = static_cast<HBITMAP*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(HBITMAP)));
    HWND hand = CreateWindowExA(0, "Zut_BmpListClass", "", 0, 0, 0, 4, 4, nullptr, nullptr, TestInstance(), nullptr);
    *GetStateBlock<BmpListState>(hand) = {0, 1, table};
    DestroyWindow(hand);
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, table), sizeof(HBITMAP));
    HeapFree(GetProcessHeap(), 0, table);

    HBITMAP images[2] = {};
    HWND parent = CreateTestParent();
    HWND made = CreateBmpList(TestInstance(), parent, 1, 0, 0, images, 2);
    ASSERT_NE(made, nullptr);
    HBITMAP* own = GetStateBlock<BmpListState>(made)->bitmaps;
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, own), 2 * sizeof(HBITMAP));
    DestroyWindow(made);
    EXPECT_EQ(HeapSize(GetProcessHeap(), 0, own), static_cast<SIZE_T>(-1));
    DestroyWindow(parent);
}

}  // namespace
