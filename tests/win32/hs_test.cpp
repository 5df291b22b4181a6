#include "controls/hs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr int kW = 210, kH = 30;
constexpr COLORREF kBack = RGB(200, 200, 200), kBar = RGB(0, 130, 120), kThumb = RGB(0, 160, 0),
                   kFocusThumb = RGB(250, 200, 0);

class HSTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureToolkitRegistered();
        parent_ = CreateTestParent(300, 100);
        slider_ = CreateHS(TestInstance(), parent_, 0x12345, 10, 10, kW, kH, back_, thumb_, focus_, 4, 200, 127, "Level",
                           "%", 0, 0);  // an id above 0xFFFF
        UpdateWindow(slider_);
    }
    void TearDown() override { DestroyWindow(parent_); }
    TestBitmap back_{kW, kH, {kBack}}, thumb_{9, 10, {kThumb}}, focus_{9, 10, {kFocusThumb}};
    HWND parent_ = nullptr, slider_ = nullptr;
};

TEST_F(HSTest, MessageRows) {
    const LPARAM at100 = MAKELPARAM(100, 5), left = MAKELPARAM(0, 5), right = MAKELPARAM(205, 5), out = MAKELPARAM(300, 5);
    Readers block;
    block.position = [](HWND w) { return GetStateBlock<HSState>(w)->pos; };
    block.focused = [](HWND w) { return GetStateBlock<HSState>(w)->focused; };
    const Readings focused = Focused(true), unfocused = Focused(false);
    const Repaint atOnce = Repaint::AtOnce, none = Repaint::None;
    RunMessageTable(slider_, {
        {WM_LBUTTONDOWN, MK_LBUTTON, at100, 0, Position(63) + unfocused, {}, atOnce},  // no post
        {WM_MOUSEMOVE, MK_LBUTTON, left, 0, Position(2) + unfocused, {HScroll(4, 2)}, atOnce},  // held at trackLeft; never code 5
        {WM_MOUSEMOVE, MK_LBUTTON, out, 0, Position(2) + unfocused, {}, none},  // outside: nothing
        {WM_MOUSEMOVE, MK_CONTROL, right, 0, Position(127) + unfocused, {HScroll(4, 127)}, atOnce},  // any key-state flag drags
        {WM_LBUTTONUP, 0, out, 0, Position(127) + unfocused, {HScroll(4, 127)}, atOnce},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0, 0, Position(119) + unfocused, {HScroll(4, 119)}, atOnce},  // (127 + 1) / 16
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 1), 0, 0, Position(127) + unfocused, {HScroll(4, 127)}, atOnce},
        {WM_RBUTTONUP, 0, at100, 127, Position(127) + unfocused, {Command(2)}, none},  // answers pos
        {SBM_SETPOS, 300, 7, 0, Position(300) + unfocused, {}, atOnce},  // unclamped, parent not told
        {SBM_GETPOS, 0, 0, 300, Position(300) + unfocused, {}, none},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 0, 0, Position(127) + unfocused, {HScroll(4, 127)}, atOnce},  // 0 steps down, clamped
        {WM_ENABLE, FALSE, 0, 0, Position(0) + unfocused, {}, atOnce},  // disabling puts pos to 0, tells nobody
        {WM_ENABLE, TRUE, 0, 0, Position(0) + unfocused, {}, atOnce},
        {HSM_SETOFFSET, 5, 0, 0, Position(0) + unfocused, {}, none},
        {HSM_SETRANGE, MAKEWPARAM(-50, 50), reinterpret_cast<LPARAM>("dB"), 0, Position(0) + unfocused, {}, none},
        {HSM_SETSUFFIX, 0, reinterpret_cast<LPARAM>("0123456789"), 0, Position(0) + unfocused, {}, none},
        {WM_SETFOCUS, 0, 0, 0, Position(0) + focused, {}, atOnce},
        {WM_KILLFOCUS, 0, 0, 0, Position(0) + unfocused, {}, atOnce},
        {WM_KEYDOWN, VK_RIGHT, 0, 0, Position(0) + unfocused, {}, none},  // keys are the default procedure's
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, Position(0) + unfocused, {}, none},
        {WM_ERASEBKGND, 0, 0, 0, Position(0) + unfocused, {}, none},
        {WM_MOUSEMOVE, 0, at100, 0, {}, {}, Repaint::Any},  // a hover, last: it may take the focus
    }, block);
    const HSState* s = GetStateBlock<HSState>(slider_);
    EXPECT_EQ((std::vector<LONG>{s->displayOffset, static_cast<LONG>(s->rangeLow), static_cast<LONG>(s->rangeHigh)}),
              (std::vector<LONG>{5, 0xFFCE, 50}));
    EXPECT_STREQ(s->suffix, "0123456");  // at most 7 characters
}

// Dark pixels (the default black text) within a box.
int Ink(const DibCanvas& c, int left, int top, int right, int bottom) {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) n += (c.Pixel(x, y) & 0xC0C0C0) == 0;
    return n;
}

// Bar Rectangle(3, 3, 102, 28) under a null pen (the fill stops a pixel short); thumb at
// 99 - 9 / 2 = 95, y 1; the caption at (4, 4); "63%" from 210 - 3 x 7 - 2 = 187.
TEST_F(HSTest, PaintDrawsBarCaptionValueAndThumb) {
    HSState block = *GetStateBlock<HSState>(slider_);
    DibCanvas canvas(kW, kH);
    const auto paint = [&](LONG focused, LONG enabled, const char* caption) {
        block.pos = 63, block.focused = focused, block.enabled = enabled;
        std::strcpy(block.caption, caption);
        DrawHS(canvas.dc(), RECT{0, 0, kW, kH}, 0, &block);
        return std::vector<COLORREF>{canvas.Pixel(2, 20),  canvas.Pixel(3, 20),  canvas.Pixel(100, 26),
                                     canvas.Pixel(102, 20), canvas.Pixel(100, 28), canvas.Pixel(206, 20),
                                     canvas.Pixel(95, 1),   canvas.Pixel(103, 10), canvas.Pixel(104, 1)};
    };
    EXPECT_EQ(paint(0, 1, "Level"), (std::vector<COLORREF>{kBack, kBar, kBar, kBack, kBack, kBack, kThumb, kThumb, kBack}));
    EXPECT_GT(Ink(canvas, 4, 4, 60, 20), 10);  // the caption, and "63%" only from x 187
    EXPECT_EQ(Ink(canvas, 0, 0, 4, kH) + Ink(canvas, 60, 0, 187, kH), 0);
    EXPECT_GT(Ink(canvas, 187, 4, kW, 20), 10);
    EXPECT_EQ(paint(1, 1, "Level")[6], kFocusThumb);
    const LONG maxPos = block.maxPos;
    block.maxPos = 63, block.rangeLow = 0, block.rangeHigh = 0xFC18;  // 0..-1000: 63 of 63 reads "-1000%"
    paint(0, 1, "Level");
    EXPECT_EQ(Ink(canvas, 60, 0, 166, kH), 0);
    EXPECT_GT(Ink(canvas, 166, 4, 173, 20), 0);    // six characters from 210 - 6 x 7 - 2
    block.maxPos = maxPos, block.rangeLow = block.rangeHigh = 0;
    // Disabled: the whole track, the caption only, no thumb. No caption: no value text either.
    EXPECT_EQ(paint(1, 0, "Level"), (std::vector<COLORREF>{kBack, kBar, kBar, kBar, kBack, kBar, kBack, kBar, kBack}));
    EXPECT_GT(Ink(canvas, 4, 4, 60, 20), 10);
    EXPECT_EQ(Ink(canvas, 60, 0, kW, kH), 0);
    paint(0, 1, "");
    EXPECT_EQ(Ink(canvas, 0, 0, kW, kH), 0);
}

}  // namespace
