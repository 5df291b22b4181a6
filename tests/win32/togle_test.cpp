#include "controls/togle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr int kId = 0x12345;  // above 0xFFFF: notifications carry its low 16 bits only
constexpr COLORREF kRed = RGB(255, 0, 0);

LRESULT Check(HWND w) { return SendMessageA(w, BM_GETCHECK, 0, 0); }

std::vector<int> SizeOf(HBITMAP bitmap) {
    const SIZE size = BitmapSize(bitmap);
    return {size.cx, size.cy};
}
std::vector<int> ClientSize(HWND w) {
    RECT r;
    GetClientRect(w, &r);
    return {r.right, r.bottom};
}

// A cached image's pixels, or a plain colour, as a canvas.
std::unique_ptr<DibCanvas> ImageOf(HBITMAP bitmap) {
    const std::vector<int> size = SizeOf(bitmap);
    auto canvas = std::make_unique<DibCanvas>(size[0], size[1]);
    HDC memory = CreateCompatibleDC(canvas->dc());
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(canvas->dc(), 0, 0, size[0], size[1], memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    return canvas;
}

class TogleTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureToolkitRegistered();
        parent_ = CreateTestParent();
        on_ = ImageOf(LoadCachedBitmap(TestInstance(), "start_on"));
        off_ = ImageOf(LoadCachedBitmap(TestInstance(), "start_off"));
        red_ = std::make_unique<DibCanvas>(on_->width(), on_->height());
        red_->Fill(kRed);
        ASSERT_GT(DifferentPixels(*on_, *off_), 0);  // the checks tell the images apart
    }
    void TearDown() override {
        DestroyWindow(parent_);
        DrainPosted();
    }
    HWND Make() {
        HWND w = CreateTogle(TestInstance(), parent_, kId, 10, 10, "start_on", "start_off");
        UpdateWindow(w);
        DrainPosted();
        return w;
    }
    // Pixels of the toggle on screen, right now, that differ from an image.
    int OnScreenDiffers(HWND w, const DibCanvas& image) {
        DibCanvas screen(image.width(), image.height());
        CaptureClient(w, screen);
        return DifferentPixels(screen, image);
    }
    std::vector<PostedMessage> Commands(HWND w, std::vector<WORD> codes) {
        std::vector<PostedMessage> out;
        for (WORD code : codes) out.push_back({parent_, WM_COMMAND, MAKEWPARAM(kId & 0xFFFF, code), LowHandle(w)});
        return out;
    }
    HWND parent_ = nullptr;
    std::unique_ptr<DibCanvas> on_, off_, red_;
};

TEST_F(TogleTest, CreationTakesTheOnImagesSizeAndStoresBothImagesBeforeShowing) {
    // A mixed pair of different sizes shows which image gives the size.
    const HBITMAP on = LoadCachedBitmap(TestInstance(), "start_on"), off = LoadCachedBitmap(TestInstance(), "24_off");
    ASSERT_NE(SizeOf(on), SizeOf(off));
    CREATESTRUCTA cs = {};
    TogleState atShow = {-1, nullptr, nullptr};
    SentMessageSpy spy([&](const CWPSTRUCT& m) {
        char cls[32] = "";
        GetClassNameA(m.hwnd, cls, sizeof cls);
        if (std::strcmp(cls, "Zut_TogleClass") != 0) return;
        if (m.message == WM_CREATE) cs = *reinterpret_cast<CREATESTRUCTA*>(m.lParam);
        if (m.message == WM_SHOWWINDOW) atShow = *GetStateBlock<TogleState>(m.hwnd);
    });
    HWND w = CreateTogle(TestInstance(), parent_, kId, 7, 9, "start_on", "24_off");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(cs.style, static_cast<LONG>(WS_CHILD));
    EXPECT_EQ(cs.hMenu, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)));
    EXPECT_EQ((std::vector<int>{cs.x, cs.y, cs.cx, cs.cy}), (std::vector<int>{7, 9, SizeOf(on)[0], SizeOf(on)[1]}));
    EXPECT_EQ(atShow.checkState, 0);
    EXPECT_EQ(atShow.onBitmap, on);
    EXPECT_EQ(atShow.offBitmap, off);
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_EQ(Check(w), 0);

    // A second toggle of the same names shares the cache's handles; destroying one leaves
    // them to the cache.
    HWND twin = CreateTogle(TestInstance(), parent_, 2, 60, 9, "start_on", "24_off");
    EXPECT_EQ(GetStateBlock<TogleState>(twin)->onBitmap, on);
    EXPECT_EQ(GetStateBlock<TogleState>(twin)->offBitmap, off);
    DestroyWindow(w);
    EXPECT_EQ(GetObjectType(on), static_cast<DWORD>(OBJ_BITMAP));
}

// Missing images: the box for the on image comes first; the off image gives the size, and
// with neither the window is empty. The toggle works all the same.
TEST_F(TogleTest, MissingImagesReportOnThenOffAndSizeFromTheOffImageOrNothing) {
    BoxWatcher boxes("NotFound");
    HWND offOnly = CreateTogle(TestInstance(), parent_, kId, 0, 0, "togle_test_no_on", "30_off");
    EXPECT_EQ(ClientSize(offOnly), SizeOf(LoadCachedBitmap(TestInstance(), "30_off")));
    HWND none = CreateTogle(TestInstance(), parent_, kId, 0, 0, "togle_test_no_on2", "togle_test_no_off2");
    EXPECT_EQ(ClientSize(none), (std::vector<int>{0, 0}));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"togle_test_no_on", "togle_test_no_on2", "togle_test_no_off2"}));
    DrainPosted();
    for (HWND w : {offOnly, none}) {
        SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        SendMessageA(w, WM_LBUTTONUP, 0, 0);
        EXPECT_EQ(Check(w), 1);
        EXPECT_EQ(DrainPostedExceptInput(), Commands(w, {1}));
    }
}

TEST_F(TogleTest, RefusedStateBlockRefusesCreation) {
    RefuseStateBlocks refuse;
    EXPECT_EQ(CreateTogle(TestInstance(), parent_, kId, 0, 0, "start_on", "start_off"), nullptr);
    EXPECT_EQ(GetWindow(parent_, GW_CHILD), nullptr);
}

// Every BM_SETCHECK repaints at once, without a WM_PAINT; only exactly 0 and 1 are stored. A
// left press flips the state at once, captures, takes the focus and notifies; its release,
// outside too, lets the mouse go and only repaints. A right release only notifies. Keys do
// nothing.
TEST_F(TogleTest, MessageRows) {
    HWND w = Make();
    EXPECT_EQ(OnScreenDiffers(w, *off_), 0);
    SetFocus(parent_);
    MessageLog log(w);
    DibCanvas canvas(4, 4);
    canvas.Fill(kRed);
    Readers shown;
    shown.image = [this](HWND c) { return OnScreenDiffers(c, *off_) == 0 ? 0 : OnScreenDiffers(c, *on_) == 0 ? 1 : -1; };
    const Readings on = CheckState(1) + Image(1), off = CheckState(0) + Image(0);
    const Readings held = Captured(true) + Focused(true), released = Captured(false);
    const LPARAM in = MAKELPARAM(3, 3), out = MAKELPARAM(500, 500);
    const Repaint atOnce = Repaint::AtOnce, none = Repaint::None;
    RunMessageTable(w, {
        {BM_SETCHECK, 1, 0x1234, 0, on, {}, atOnce},
        {BM_SETCHECK, 2, 0x1234, 0, on, {}, atOnce},
        {BM_SETCHECK, 0, 0x1234, 0, off, {}, atOnce},
        {BM_SETCHECK, 2, 0x1234, 0, off, {}, atOnce},
        {BM_SETCHECK, static_cast<WPARAM>(-1), 0x1234, 0, off, {}, atOnce},
        {BM_SETCHECK, 1, 0x1234, 0, on, {}, atOnce},
        {BM_SETCHECK, 1, 0x1234, 0, on, {}, atOnce},
        {BM_SETCHECK, 0x10001, 0x1234, 0, on, {}, atOnce},
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, off + held, {Command(1)}, atOnce},
        {WM_LBUTTONUP, 0, out, 0, off + released, {}, atOnce},
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, on + held, {Command(1)}, atOnce},
        {WM_LBUTTONUP, 0, out, 0, on + released, {}, atOnce},
        {WM_RBUTTONDOWN, MK_RBUTTON, in, 0, CheckState(1), {}, none},
        {WM_RBUTTONUP, 0, in, 0, CheckState(1), {Command(2)}, none},
        {WM_KEYDOWN, VK_SPACE, 0, 0, CheckState(1), {}, none},
        {WM_KEYUP, VK_SPACE, 0, 0, CheckState(1), {}, none},
        {WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc()), 0, 0, {}, {}, none},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, {}, {}, none},
    }, shown);
    EXPECT_EQ(log.Count(WM_PAINT), 0);
    EXPECT_EQ(canvas.Pixel(1, 1), kRed);  // nothing erased
}

// A real double click, through the system's input queue: without CS_DBLCLKS it arrives as two
// presses, so the toggle flips twice and notifies twice.
TEST_F(TogleTest, RealDoubleClickIsTwoPresses) {
    // Real input goes to the window under the pointer: keep this one on top, clear of the
    // spot where the other test processes open their windows.
    SetWindowPos(parent_, HWND_TOPMOST, 700, 520, 200, 100, 0);
    HWND w = Make();
    MessageLog log(w);
    RECT r;
    GetWindowRect(w, &r);
    ASSERT_TRUE(SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    ASSERT_EQ(SendInput(4, clicks, sizeof(INPUT)), 4u);
    const std::vector<PostedMessage> posted = DispatchKeepingCommands(parent_, 100, [&](const std::vector<PostedMessage>&) {
        return log.Count(WM_LBUTTONUP) + log.Count(WM_LBUTTONDBLCLK) >= 2;
    });
    EXPECT_EQ(log.Count(WM_LBUTTONDOWN), 2);
    EXPECT_EQ(log.Count(WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(Check(w), 0);
    EXPECT_EQ(posted, Commands(w, {1, 1}));
}

TEST_F(TogleTest, NoFocusOnHover) {
    HWND w = Make();
    HWND focused = nullptr;
    ASSERT_TRUE(RunWhileForeground(parent_, [&] {
        SetFocus(parent_);
        SendMessageA(w, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        focused = GetFocus();
    }));
    EXPECT_EQ(focused, parent_);
}

TEST_F(TogleTest, PaintRoutineCopiesTheImageOfTheGivenStateSizedByTheRectangle) {
    HWND w = Make();
    const TogleState* block = GetStateBlock<TogleState>(w);
    DibCanvas canvas(on_->width(), on_->height());
    const RECT client = {0, 0, on_->width(), on_->height()};
    const struct { LONG state; const DibCanvas* image; } cases[] = {
        {1, on_.get()}, {0, off_.get()}, {2, off_.get()}, {-1, off_.get()}};
    for (const auto& c : cases) {
        canvas.Fill(kRed);
        DrawTogle(canvas.dc(), client, c.state, block);
        EXPECT_EQ(DifferentPixels(canvas, *c.image), 0) << "state " << c.state;
    }
    canvas.Fill(kRed);
    DrawTogle(canvas.dc(), RECT{0, 0, 10, 5}, 1, block);  // width and height: right and bottom
    EXPECT_EQ(canvas.Pixel(9, 4), on_->Pixel(9, 4));
    EXPECT_EQ(canvas.Pixel(10, 0), kRed);
    EXPECT_EQ(canvas.Pixel(0, 5), kRed);
    canvas.Fill(kRed);
    DrawTogle(canvas.dc(), client, 1, nullptr);  // no block, nothing drawn
    EXPECT_EQ(DifferentPixels(canvas, *red_), 0);

    SendMessageA(w, BM_SETCHECK, 1, 0);  // WM_PAINT draws the current image too
    PaintOver(w, kRed);  // so that the repaint shows
    InvalidateRect(w, nullptr, TRUE);
    UpdateWindow(w);
    EXPECT_EQ(OnScreenDiffers(w, *on_), 0);
}

}  // namespace
