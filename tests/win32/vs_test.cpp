#include "controls/vs.h"

#include <gtest/gtest.h>

#include <vector>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr COLORREF kTrack = RGB(0, 0, 200), kThumb = RGB(0, 160, 0), kFocusThumb = RGB(250, 200, 0), kRed = RGB(255, 0, 0);

class VSTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureToolkitRegistered();
        parent_ = CreateTestParent();
        slider_ = Make(0x12345, parent_);  // an id above 0xFFFF; the parent is the buddy
    }
    void TearDown() override { DestroyWindow(parent_); }
    HWND Make(int id, HWND buddy) {
        HWND w = CreateVS(TestInstance(), parent_, id, 30 * (id & 3), 10, back_, thumb_, focus_, 10, 100, 127, 8, buddy);
        UpdateWindow(w);
        DrainPosted();
        return w;
    }
    static LONG Pos(HWND w) { return GetStateBlock<VSState>(w)->pos; }
    TestBitmap back_{20, 110, {kTrack}}, thumb_{10, 11, {kThumb}}, focus_{10, 11, {kFocusThumb}};
    HWND parent_ = nullptr, slider_ = nullptr;
};

// Each row reads the position, the focus flag, and the times the position was passed on to
// the buddy (SBM_SETPOS with the position, lParam 0) during the row.
TEST_F(VSTest, MessageRowsWithPassOn) {
    RECT r;
    GetClientRect(slider_, &r);
    EXPECT_EQ(r.right * 1000 + r.bottom, 20110);  // the track image's size
    MessageLog buddy(parent_);
    Readers read;
    read.position = Pos;
    read.focused = [](HWND w) { return GetStateBlock<VSState>(w)->focused; };
    read.passedOn = [&](HWND w) {
        long long passed = 0;
        for (const LoggedMessage& m : buddy.messages())
            passed += m.message == SBM_SETPOS && m.wParam == static_cast<WPARAM>(Pos(w)) && m.lParam == 0;
        buddy.Clear();
        return passed;
    };
    const Readings focused = Focused(true), unfocused = Focused(false);
    const LPARAM at50 = MAKELPARAM(5, 50), top = MAKELPARAM(5, 0), below = MAKELPARAM(5, 200), zero = MAKELPARAM(5, 100);
    const Repaint atOnce = Repaint::AtOnce, none = Repaint::None;
    RunMessageTable(slider_, {
        {WM_LBUTTONDOWN, MK_LBUTTON, at50, 0, Position(63) + unfocused + PassedOn(0), {}, atOnce},  // no post, no pass-on
        {WM_MOUSEMOVE, MK_LBUTTON, top, 0, Position(114) + unfocused + PassedOn(1), {VScroll(5, 114)}, atOnce},  // the upper stop
        {WM_MOUSEMOVE, MK_LBUTTON, below, 0, Position(114) + unfocused + PassedOn(1), {}, none},  // outside: passed on all the same
        {WM_MOUSEMOVE, MK_SHIFT, zero, 0, Position(0) + unfocused + PassedOn(1), {VScroll(5, 0)}, atOnce},  // any key-state flag drags
        {WM_LBUTTONUP, 0, below, 0, Position(0) + unfocused + PassedOn(1), {VScroll(4, 0)}, atOnce},
        {WM_LBUTTONUP, 0, at50, 0, Position(0) + unfocused + PassedOn(1), {VScroll(4, 0)}, atOnce},  // a release without a press
        {SBM_SETPOS, 200, 7, 0, Position(200) + unfocused + PassedOn(1), {}, atOnce},  // unclamped, parent not told
        {SBM_GETPOS, 0, 0, 200, Position(200) + unfocused + PassedOn(0), {}, none},
        {WM_KEYDOWN, 'A', 0, 0, Position(127) + unfocused + PassedOn(1), {VScroll(4, 127)}, atOnce},  // any key settles
        {WM_KEYDOWN, VK_DOWN, 0, 0, Position(119) + unfocused + PassedOn(1), {VScroll(4, 119)}, atOnce},
        {WM_KEYDOWN, VK_UP, 0, 0, Position(127) + unfocused + PassedOn(1), {VScroll(4, 127)}, atOnce},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 0), 0, 0, Position(119) + unfocused + PassedOn(1), {VScroll(4, 119)}, atOnce},  // 0 steps down
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 1), 0, 0, Position(127) + unfocused + PassedOn(1), {VScroll(4, 127)}, atOnce},
        {WM_SETFOCUS, 0, 0, 0, Position(127) + focused + PassedOn(0), {}, atOnce},
        {WM_KILLFOCUS, 0, 0, 0, Position(127) + unfocused + PassedOn(0), {}, atOnce},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, Position(127) + unfocused + PassedOn(0), {}, none},
        {WM_ERASEBKGND, 0, 0, 0, Position(127) + unfocused + PassedOn(0), {}, none},
        {WM_MOUSEMOVE, 0, at50, 0, {}, {}, Repaint::Any},  // a hover, last: it may take the focus
    }, read);
    EXPECT_EQ(GetCapture(), nullptr);
}

// Two sliders that are each other's buddies, and one that is its own: a pass-on ends where the
// position comes back to a slider that is passing it on.
TEST_F(VSTest, ABuddyChainThatLeadsBackEnds) {
    HWND other = Make(2, slider_), self = Make(3, nullptr);
    GetStateBlock<VSState>(slider_)->buddy = other;
    GetStateBlock<VSState>(self)->buddy = self;
    MessageLog a(slider_), b(other), c(self);
    SendMessageA(slider_, SBM_SETPOS, 40, 0);
    SendMessageA(self, SBM_SETPOS, 41, 0);
    SendMessageA(other, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ((std::vector<LONG>{Pos(slider_), Pos(other), Pos(self)}), (std::vector<LONG>{48, 48, 41}));
    EXPECT_EQ((std::vector<int>{a.Count(SBM_SETPOS), b.Count(SBM_SETPOS), c.Count(SBM_SETPOS)}),
              (std::vector<int>{3, 2, 2}));
    EXPECT_EQ(DrainPostedExceptInput(), (std::vector<PostedMessage>{{parent_, WM_VSCROLL, 0x300004, LowHandle(other)}}));
}

// Probes: the thumb's corners, its neighbours left, below and right, and outside the client.
TEST_F(VSTest, PaintComposesTheTrackAndTheChosenThumb) {
    VSState block = *GetStateBlock<VSState>(slider_);
    DibCanvas canvas(24, 114);
    const struct { LONG pos, focused, top; COLORREF thumb; } cases[] = {
        {63, 0, 46, kThumb}, {63, 1, 46, kFocusThumb}, {63, 2, 46, kThumb}, {127, 0, 0, kThumb}, {0, 1, 95, kFocusThumb}};
    for (const auto& c : cases) {
        canvas.Fill(kRed);
        block.pos = c.pos, block.focused = c.focused;
        DrawVS(canvas.dc(), RECT{0, 0, 20, 110}, 0, &block);
        const std::vector<COLORREF> probes = {canvas.Pixel(5, c.top), canvas.Pixel(14, c.top + 10),
                                              canvas.Pixel(4, c.top), canvas.Pixel(5, c.top + 11), canvas.Pixel(15, c.top),
                                              canvas.Pixel(20, 0),    canvas.Pixel(0, 110)};
        EXPECT_EQ(probes, (std::vector<COLORREF>{c.thumb, c.thumb, kTrack, kTrack, kTrack, kRed, kRed})) << c.pos;
    }
}

}  // namespace
