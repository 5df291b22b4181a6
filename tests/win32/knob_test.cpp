#include "controls/knob.h"

#include <gtest/gtest.h>

#include <float.h>

#include <vector>

#include "controls/hs.h"
#include "controls/toolkit_class.h"
#include "controls/vs.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr COLORREF kMarker = RGB(200, 0, 0), kFocusMarker = RGB(250, 200, 0), kFaceA = RGB(0, 0, 160),
                   kFaceB = RGB(0, 120, 0);

class KnobTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureToolkitRegistered();
        parent_ = CreateTestParent();
        knob_ = CreateKnob(TestInstance(), parent_, 0x12345, 10, 10, 64, 64, marker_, focus_, 0, 127, 64);  // id > 0xFFFF
        UpdateWindow(knob_);
    }
    void TearDown() override { DestroyWindow(parent_); }
    TestBitmap marker_{6, 6, {kMarker}}, focus_{6, 6, {kFocusMarker}};
    HWND parent_ = nullptr, knob_ = nullptr;
};

// The centre and radius of the size at creation survive a resize; the first paint made the
// save-under bitmap at the marker's size.
TEST_F(KnobTest, MessageRows) {
    MoveWindow(knob_, 10, 10, 100, 80, TRUE);
    const KnobState* s = GetStateBlock<KnobState>(knob_);
    EXPECT_EQ((std::vector<LONG>{s->radius, s->drawnPos, s->centerX, s->centerY, BitmapSize(s->saveBitmap).cx}),
              (std::vector<LONG>{33, 64, 32, 32, 6}));
    const LPARAM centre = MAKELPARAM(32, 32), top = MAKELPARAM(32, 0), below = MAKELPARAM(32, 60),
                 lowerRight = MAKELPARAM(60, 60), out = MAKELPARAM(200, 5);
    Readers block;
    block.position = [](HWND w) { return GetStateBlock<KnobState>(w)->pos; };
    block.focused = [](HWND w) { return GetStateBlock<KnobState>(w)->focused; };
    const Readings focused = Focused(true), unfocused = Focused(false);
    const Repaint atOnce = Repaint::AtOnce, none = Repaint::None;
    RunMessageTable(knob_, {
        {WM_LBUTTONDOWN, MK_LBUTTON, centre, 0, Position(106) + unfocused, {}, atOnce},  // angle 0; no post
        {WM_MOUSEMOVE, MK_LBUTTON, top, 0, Position(64) + unfocused, {HScroll(5, 64)}, atOnce},
        {WM_MOUSEMOVE, MK_SHIFT, below, 0, Position(0) + unfocused, {HScroll(5, 0)}, atOnce},  // straight below: minPos
        {WM_MOUSEMOVE, MK_LBUTTON, lowerRight, 0, Position(127) + unfocused, {HScroll(5, 127)}, atOnce},
        {WM_MOUSEMOVE, MK_LBUTTON, out, 0, Position(127) + unfocused, {}, none},  // outside: nothing
        {WM_LBUTTONUP, 0, out, 0, Position(127) + unfocused, {HScroll(4, 127)}, atOnce},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0, 0, Position(111) + unfocused, {HScroll(4, 111)}, atOnce},  // away from the user: down
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 0, 0, Position(127) + unfocused, {HScroll(4, 127)}, atOnce},  // towards: up, held at maxPos
        {SBM_SETPOS, static_cast<WPARAM>(-40), 7, 0, Position(-40) + unfocused, {}, atOnce},  // unclamped, parent not told
        {SBM_GETPOS, 0, 0, -40, Position(-40) + unfocused, {}, none},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, -1), 0, 0, Position(0) + unfocused, {HScroll(4, 0)}, atOnce},
        {WM_SETFOCUS, 0, 0, 0, Position(0) + focused, {}, atOnce},
        {WM_KILLFOCUS, 0, 0, 0, Position(0) + unfocused, {}, atOnce},
        {WM_KEYDOWN, VK_RIGHT, 0, 0, Position(0) + unfocused, {}, none},  // keys are the default procedure's
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, Position(0) + unfocused, {}, none},
        {WM_ERASEBKGND, 0, 0, 0, Position(0) + unfocused, {}, none},
        {WM_MOUSEMOVE, 0, top, 0, {}, {}, Repaint::Any},  // a hover, last: it may take the focus
    }, block);
}

// The marker at 64 covers (29..34, 17..22), at 127 (38..43, 38..43). Each paint puts back what
// lay under the marker when it was drawn, even after the face beneath it changed.
TEST_F(KnobTest, PaintSavesUnderTheMarkerAndPutsItBack) {
    KnobState block = *GetStateBlock<KnobState>(knob_);
    block.saveBitmap = nullptr;
    DibCanvas canvas(64, 64);
    const auto paint = [&](LONG pos, LONG focused) {
        block.pos = pos, block.focused = focused;
        DrawKnob(canvas.dc(), RECT{}, &block);
        return std::vector<COLORREF>{canvas.Pixel(29, 17), canvas.Pixel(34, 22), canvas.Pixel(28, 17), canvas.Pixel(35, 23),
                                     canvas.Pixel(38, 38), canvas.Pixel(43, 43), canvas.Pixel(37, 44)};
    };
    canvas.Fill(kFaceA);
    EXPECT_EQ(paint(64, 0), (std::vector<COLORREF>{kMarker, kMarker, kFaceA, kFaceA, kFaceA, kFaceA, kFaceA}));
    canvas.Fill(kFaceB);
    EXPECT_EQ(paint(127, 0), (std::vector<COLORREF>{kFaceA, kFaceA, kFaceB, kFaceB, kMarker, kMarker, kFaceB}));
    EXPECT_EQ(paint(127, 1)[4], kFocusMarker);
    EXPECT_EQ(paint(64, 1), (std::vector<COLORREF>{kFocusMarker, kFocusMarker, kFaceB, kFaceB, kFaceB, kFaceB, kFaceB}));
    DeleteObject(block.saveBitmap);
}

// A refused state block refuses the creation of each slider and of the knob.
TEST(SlidersAndKnob, RefusedStateBlocksRefuseCreation) {
    EnsureToolkitRegistered();
    HWND parent = CreateTestParent();
    TestBitmap back(120, 110, {RGB(0, 0, 200)}), image(6, 6, {RGB(0, 160, 0)});
    const HINSTANCE in = TestInstance();
    RefuseStateBlocks refuse;
    EXPECT_EQ((std::vector<HWND>{CreateVS(in, parent, 1, 0, 0, back, image, image, 10, 100, 127, 8, nullptr),
                                 CreateHS(in, parent, 2, 30, 0, 100, 30, back, image, image, 4, 90, 127, "Pan", "dB", -64, 63),
                                 CreateKnob(in, parent, 3, 140, 0, 40, 40, image, image, -10, 10, 0)}),
              (std::vector<HWND>{nullptr, nullptr, nullptr}));
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
    DestroyWindow(parent);
}

}  // namespace

// A pointer level with the centre, on its right, is a sixth of the sweep from the clockwise
// end: over a range of 24 that is 4 exactly in double arithmetic (pos 20), 3.99... in the x87's
// 64-bit extended precision (pos 21). The i686 build runs the x87 at 53 bits, as Windows
// programs normally do, so it answers as the x86_64 build's SSE doubles do.
TEST(KnobArithmetic, TruncatesAsDoublePrecisionOnEveryTarget) {
    EnsureToolkitRegistered();
    const HWND parent = CreateTestParent();
    TestBitmap marker(6, 6, {kMarker});
    const HWND knob = CreateKnob(TestInstance(), parent, 1, 0, 0, 64, 64, marker, marker, 0, 24, 0);
    SendMessageA(knob, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 32));
    EXPECT_EQ(SendMessageA(knob, SBM_GETPOS, 0, 0), 20);
    DestroyWindow(parent);
#if defined(__i386__)
    EXPECT_EQ(_controlfp(0, 0) & _MCW_PC, static_cast<unsigned>(_PC_53));
#endif
}
