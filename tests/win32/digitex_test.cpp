#include "controls/digitex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr int kId = 0x12345;  // above 0xFFFF: notifications carry its low 16 bits only
constexpr int kW = 60, kH = 40;
constexpr COLORREF kGreen = RGB(0, 255, 0), kBlack = RGB(0, 0, 0), kRed = RGB(255, 0, 0);

WPARAM Wheel(short delta) { return MAKEWPARAM(0, static_cast<WORD>(delta)); }

// The bounding box of every pixel that is not the background.
struct Ink { int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1; };
Ink InkOf(const DibCanvas& c, int x0 = 0, int x1 = -1) {
    Ink ink;
    for (int y = 0; y < c.height(); ++y)
        for (int x = x0; x < (x1 < 0 ? c.width() : x1); ++x)
            if (c.Pixel(x, y) != kBlack) {
                ink = {std::min(ink.left, x), std::max(ink.right, x), std::min(ink.top, y), y};
            }
    return ink;
}
int Width(const Ink& i) { return i.right - i.left + 1; }
int Height(const Ink& i) { return i.bottom - i.top + 1; }

class DigitExTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureToolkitRegistered();
        parent_ = CreateTestParent();
    }
    void TearDown() override {
        DestroyWindow(parent_);
        DrainPosted();
    }
    HWND Make(int maxPos, int resetPos) {
        HWND w = CreateDigitEx(TestInstance(), parent_, kId, 10, 10, kW, kH, kGreen, kBlack, maxPos, resetPos);
        UpdateWindow(w);
        DrainPosted();
        return w;
    }
    HWND parent_ = nullptr;
};

TEST_F(DigitExTest, CreationFillsTheBlockAndHandsOverItsOwnFontBeforeShowing) {
    CREATESTRUCTA cs = {};
    std::vector<UINT> order;
    DigitExState atSetFont = {};
    bool visibleAtSetFont = true;
    SentMessageSpy spy([&](const CWPSTRUCT& m) {
        char cls[32] = "";
        GetClassNameA(m.hwnd, cls, sizeof cls);
        if (std::strcmp(cls, "Zut_DigitExClass") != 0) return;
        if (m.message == WM_CREATE) cs = *reinterpret_cast<CREATESTRUCTA*>(m.lParam);
        if (m.message == WM_SETFONT) {
            atSetFont = *GetStateBlock<DigitExState>(m.hwnd);
            visibleAtSetFont = IsWindowVisible(m.hwnd);
            EXPECT_EQ(m.wParam, reinterpret_cast<WPARAM>(atSetFont.font));
            EXPECT_EQ(m.lParam, 0);
        }
        if (m.message == WM_CREATE || m.message == WM_SETFONT || m.message == WM_SHOWWINDOW) order.push_back(m.message);
    });
    HWND w = CreateDigitEx(TestInstance(), parent_, kId, 12, 14, kW, 32, RGB(1, 2, 3), RGB(4, 5, 6), 59, 7);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(order, (std::vector<UINT>{WM_CREATE, WM_SETFONT, WM_SHOWWINDOW}));
    EXPECT_EQ(cs.style, static_cast<LONG>(WS_CHILD));
    EXPECT_EQ(cs.dwExStyle, 0u);
    EXPECT_EQ(cs.lpCreateParams, nullptr);
    EXPECT_EQ(cs.hMenu, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)));
    EXPECT_EQ((std::vector<int>{cs.x, cs.y, cs.cx, cs.cy}), (std::vector<int>{12, 14, kW, 32}));
    EXPECT_FALSE(visibleAtSetFont);
    EXPECT_EQ(atSetFont.maxPos, 59);
    EXPECT_EQ(atSetFont.resetPos, 7);
    EXPECT_EQ(atSetFont.pos, 0);
    EXPECT_EQ(atSetFont.textColor, RGB(1, 2, 3));
    EXPECT_EQ(atSetFont.backColor, RGB(4, 5, 6));
    EXPECT_TRUE(IsWindowVisible(w));

    LOGFONTA lf = {};
    ASSERT_EQ(GetObjectA(atSetFont.font, sizeof lf, &lf), static_cast<int>(sizeof lf));
    const LOGFONTA expected = {32, 0, 0, 0, 700, 0, 0, 0, 0, 0, 0, 4, 0x10, "Arial"};
    EXPECT_EQ(std::memcmp(&lf, &expected, sizeof lf), 0) << lf.lfHeight << " " << lf.lfWeight << " " << lf.lfFaceName;
    const HFONT own = GetStateBlock<DigitExState>(w)->font;
    EXPECT_EQ(own, atSetFont.font);
    EXPECT_NE(GetStateBlock<DigitExState>(Make(99, 0))->font, own);  // one font per spinner
}

TEST_F(DigitExTest, RefusedStateBlockRefusesCreationAndMakesNoFont) {
    DestroyWindow(Make(99, 0));  // warm up: the first DC and font keep a few lasting objects
    const int before = FreeGdiSlots();
    {
        RefuseStateBlocks refuse;
        EXPECT_EQ(CreateDigitEx(TestInstance(), parent_, kId, 0, 0, kW, kH, kGreen, kBlack, 99, 0), nullptr);
    }
    EXPECT_EQ(GetWindow(parent_, GW_CHILD), nullptr);
    EXPECT_EQ(FreeGdiSlots(), before);
}

// Every input through the wrap rule (maxPos 59, a negative resetPos that no wrap would keep):
// the position after it, its repaint, and the wheel's notification (the only one). Every
// change, and SBM_SETPOS to the same position, invalidates the whole client area.
TEST_F(DigitExTest, MessageRows) {
    HWND w = Make(59, -2);
    DibCanvas canvas(4, 4);
    canvas.Fill(kRed);
    const Repaint invalidated = Repaint::Invalidated, none = Repaint::None;
    const LPARAM at = MAKELPARAM(5, 5);
    RunMessageTable(w, {
        {SBM_SETPOS, static_cast<WPARAM>(-5), at, 0, Position(59), {}, invalidated},
        {SBM_SETPOS, 0xFFFFFFFBu, at, 0, Position(59), {}, invalidated},  // the low 32 bits as a signed position
        {SBM_SETPOS, 59, at, 0, Position(59), {}, invalidated},
        {WM_MOUSEWHEEL, Wheel(120), at, 0, Position(-2), {VScroll(SB_THUMBPOSITION, -2)}, invalidated},
        {SBM_SETPOS, 60, at, 0, Position(-2), {}, invalidated},
        {WM_LBUTTONDBLCLK, MK_LBUTTON, at, 0, Position(-2), {}, none},  // not handled: the class has no CS_DBLCLKS
        {WM_RBUTTONUP, 0, at, 0, Position(-2), {}, none},
        {WM_KEYDOWN, VK_UP, at, 0, Position(-2), {}, none},
        {SBM_SETPOS, 20, at, 0, Position(20), {}, invalidated},
        {WM_RBUTTONDOWN, MK_RBUTTON, at, 0, Position(-2), {}, invalidated},  // resetPos as it is, no wrap rule
        {SBM_SETPOS, 0, at, 0, Position(0), {}, invalidated},
        {WM_MOUSEWHEEL, Wheel(-120), at, 0, Position(59), {VScroll(SB_THUMBPOSITION, 59)}, invalidated},
        {SBM_SETPOS, 58, at, 0, Position(58), {}, invalidated},
        {WM_LBUTTONDOWN, MK_LBUTTON, at, 0, Position(59), {}, invalidated},
        {WM_LBUTTONDOWN, MK_LBUTTON, at, 0, Position(-2), {}, invalidated},
        {SBM_SETPOS, 5, at, 0, Position(5), {}, invalidated},
        // a delta of 0 steps backward
        {WM_MOUSEWHEEL, Wheel(0), at, 0, Position(4), {VScroll(SB_THUMBPOSITION, 4)}, invalidated},
        {WM_MOUSEWHEEL, Wheel(1), at, 0, Position(5), {VScroll(SB_THUMBPOSITION, 5)}, invalidated},
        {WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0, 1, {}, {}, none},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, {}, {}, none},
    });
    EXPECT_EQ(canvas.Pixel(1, 1), kRed);  // nothing erased
}

// A double click as the system delivers it without CS_DBLCLKS is two presses; the wheel posts
// the position's low 16 bits; a negative maxPos is kept, and SBM_GETPOS sign-extends.
TEST_F(DigitExTest, DoubleClickIsTwoPressesWheelPostsLow16BitsNegativeMaxPosKept) {
    HWND w = Make(70000, 0);
    const Repaint invalidated = Repaint::Invalidated, none = Repaint::None;
    RunMessageTable(w, {
        {WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, Position(1), {}, invalidated},
        {WM_LBUTTONUP, 0, 0, 0, Position(1), {}, none},
        {WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, Position(2), {}, invalidated},
        {WM_LBUTTONUP, 0, 0, 0, Position(2), {}, none},
        {SBM_SETPOS, 69999, 0, 0, Position(69999), {}, invalidated},
        {WM_MOUSEWHEEL, Wheel(120), 0, 0, Position(70000), {VScroll(SB_THUMBPOSITION, 70000)}, invalidated},
    });
    DestroyWindow(w);
    RunMessageTable(Make(-3, 0), {
        {SBM_SETPOS, static_cast<WPARAM>(-1), 0, 0, Position(-3), {}, invalidated},
        {SBM_GETPOS, 0, 0, -3, {}, {}, none},
    });
}

TEST_F(DigitExTest, FocusOnHover) {
    HWND w = Make(59, 0);
    HWND focused = nullptr;
    auto hover = [&](HWND start) { SetFocus(start); EXPECT_EQ(SendMessageA(w, WM_MOUSEMOVE, 0, 0), 0); focused = GetFocus(); };
    ASSERT_TRUE(RunWhileForeground(parent_, [&] { hover(parent_); }));
    EXPECT_EQ(focused, w);
    HWND other = CreateTestParent(100, 100);  // with another window in front, no focus is taken
    ASSERT_TRUE(RunWhileForeground(other, [&] { hover(other); }));
    EXPECT_EQ(focused, other);
    DestroyWindow(other);
}

// The invalidation erases, and its one paint, from the queue, shows the new position.
TEST_F(DigitExTest, InvalidationErasesAndOnePaintShowsTheChange) {
    HWND w = Make(59, 3);
    MessageLog log(w);
    ASSERT_TRUE(log.attached());
    const struct { UINT message; WPARAM wParam; bool changes; } inputs[] = {
        {SBM_SETPOS, 20, true}, {SBM_SETPOS, 11, false}, {WM_LBUTTONDOWN, 0, true},
        {WM_RBUTTONDOWN, 0, true}, {WM_MOUSEWHEEL, Wheel(-120), true}};
    DibCanvas before(kW, kH), after(kW, kH);
    for (const auto& in : inputs) {
        SendMessageA(w, SBM_SETPOS, 11, 0);
        UpdateWindow(w);
        CaptureClient(w, before);
        log.Clear();
        SendMessageA(w, in.message, in.wParam, 0);
        UpdateWindow(w);
        EXPECT_EQ(log.Count(WM_PAINT), 1);
        EXPECT_EQ(log.Count(WM_ERASEBKGND), 1) << in.message;
        CaptureClient(w, after);
        EXPECT_EQ(DifferentPixels(before, after) > 0, in.changes) << in.message;
    }
    DrainPosted();
}

// WM_SETFONT hands a font over without repainting; the spinner deletes whichever font it holds
// last when it is destroyed, and never the one it held before.
TEST_F(DigitExTest, SetFontNeitherRepaintsNorDeletesAndDestructionDeletesTheLastFont) {
    HWND w = Make(59, 0);
    SendMessageA(w, SBM_SETPOS, 48, 0);
    UpdateWindow(w);
    DibCanvas before(kW, kH), after(kW, kH);
    CaptureClient(w, before);
    const HFONT own = GetStateBlock<DigitExState>(w)->font;
    HFONT small = CreateFontA(10, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    EXPECT_EQ(SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(small), TRUE), 0);
    RECT update;
    EXPECT_FALSE(GetUpdateRect(w, &update, FALSE));
    CaptureClient(w, after);
    EXPECT_EQ(DifferentPixels(before, after), 0);
    InvalidateRect(w, nullptr, TRUE);  // the next paint shows the new font
    UpdateWindow(w);
    CaptureClient(w, after);
    EXPECT_GT(Height(InkOf(before)), Height(InkOf(after)) + 10);

    LONG_PTR userDataAtEnd = -1;
    SentMessageSpy spy([&](const CWPSTRUCT& m) {
        if (m.hwnd == w && m.message == WM_NCDESTROY) userDataAtEnd = GetWindowLongPtrA(w, GWLP_USERDATA);
    });
    DestroyWindow(w);
    EXPECT_EQ(GetObjectType(small), 0u);
    EXPECT_EQ(GetObjectType(own), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(userDataAtEnd, 0);  // the block was freed and its slot cleared
    DeleteObject(own);

    HWND plain = Make(59, 0);
    const HFONT created = GetStateBlock<DigitExState>(plain)->font;
    DestroyWindow(plain);
    EXPECT_EQ(GetObjectType(created), 0u);
}

// The paint routine, by pixels: a 40-pixel spinner's own font, into a canvas with room for
// three digits, first filled with red.
class DigitExPaintTest : public DigitExTest {
protected:
    void SetUp() override {
        DigitExTest::SetUp();
        block_ = *GetStateBlock<DigitExState>(Make(999, 0));
    }
    Ink Paint(LONG pos, DibCanvas& canvas, bool ownFont = true) {
        DigitExState block = block_;
        block.pos = pos;
        if (!ownFont) block.font = nullptr;
        canvas.Fill(kRed);
        DrawDigitEx(canvas.dc(), RECT{0, 0, canvas.width(), canvas.height()}, &block);
        return InkOf(canvas);
    }
    Ink Paint(LONG pos, bool ownFont = true) {
        DibCanvas canvas(100, kH);
        return Paint(pos, canvas, ownFont);
    }
    DigitExState block_ = {};
};

TEST_F(DigitExPaintTest, GreenDigitsHangFromTheTopCentredOnBlack) {
    DibCanvas canvas(100, kH);
    const Ink ink = Paint(0, canvas);
    int green = 0;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < 100; ++x) {
            const COLORREF p = canvas.Pixel(x, y);
            ASSERT_EQ(p & 0xFF00FF, 0u) << "red (unfilled) or not a shade of green at " << x << "," << y;
            green += p == kGreen;
        }
    EXPECT_GT(green, 40);
    EXPECT_LT(ink.top, kH / 3);
    EXPECT_LT(ink.bottom, kH - 3);  // the cell's descent rows stay background
    EXPECT_NEAR(ink.left + ink.right + 1, 100, 3);
}

TEST_F(DigitExPaintTest, AtLeastTwoDigitsAMinusSignAndTheDefaultFontWithoutOne) {
    const Ink zero = Paint(0), seven = Paint(7), wide = Paint(123);
    EXPECT_NEAR(Width(seven), Width(zero), Width(zero) / 5);  // "07": two digit cells
    EXPECT_GT(Width(wide) * 10, Width(seven) * 13);            // "123": half as wide again
    EXPECT_LT(Width(wide) * 10, Width(seven) * 18);
    DibCanvas canvas(100, kH);
    const Ink minus = Paint(-1, canvas);
    EXPECT_LT(Width(minus), Width(seven));                      // "-1": a minus is narrower...
    const Ink bar = InkOf(canvas, minus.left, minus.left + 3);  // ... and a thin mid-height bar
    EXPECT_LT(Height(bar) * 3, Height(zero));
    EXPECT_GT(bar.top, zero.top + Height(zero) / 4);
    const Ink fallback = Paint(42, false);  // no font: the DC's small default, at the top
    EXPECT_LT(Height(fallback) * 2, Height(Paint(42)));
    EXPECT_LT(fallback.top, 4);
}

TEST_F(DigitExPaintTest, WmPaintShowsWhatThePaintRoutineDraws) {
    HWND w = Make(99, 0);
    SendMessageA(w, SBM_SETPOS, 7, 0);
    UpdateWindow(w);
    DibCanvas screen(kW, kH), expected(kW, kH);
    CaptureClient(w, screen);
    DrawDigitEx(expected.dc(), RECT{0, 0, kW, kH}, GetStateBlock<DigitExState>(w));
    EXPECT_EQ(DifferentPixels(screen, expected), 0);
}

}  // namespace
