#include "controls/button.h"

#include <gtest/gtest.h>

#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr int kId = 0x12345;  // above 0xFFFF: notifications carry its low 16 bits only
constexpr COLORREF kPressed = RGB(0, 160, 0), kNormal = RGB(0, 0, 200);
constexpr int kW = 30, kH = 20;

// The colour the button shows on screen at (1, 1): which image it drew last.
long long Shown(HWND w) {
    DibCanvas screen(2, 2);
    CaptureClient(w, screen);
    return screen.Pixel(1, 1);
}

class ButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureToolkitRegistered();
        parent_ = CreateTestParent();
        button_ = CreateButton(TestInstance(), parent_, kId, 10, 10, pressed_, normal_);
        UpdateWindow(button_);
        DrainPosted();
    }
    void TearDown() override {
        DestroyWindow(parent_);
        DrainPosted();
    }
    TestBitmap pressed_{kW, kH, {kPressed}};
    TestBitmap normal_{kW, kH, {kNormal}};
    HWND parent_ = nullptr, button_ = nullptr;
};

TEST_F(ButtonTest, CreationSizesByTheNormalImageAndFillsTheBlock) {
    ASSERT_NE(button_, nullptr);
    RECT r;
    GetClientRect(button_, &r);
    EXPECT_EQ(r.right, kW);
    EXPECT_EQ(r.bottom, kH);
    EXPECT_TRUE(IsWindowVisible(button_));
    EXPECT_EQ(GetStateBlock<ButtonState>(button_)->pressedBitmap, static_cast<HBITMAP>(pressed_));
    EXPECT_EQ(GetStateBlock<ButtonState>(button_)->normalBitmap, static_cast<HBITMAP>(normal_));
    EXPECT_EQ(Shown(button_), static_cast<long long>(kNormal));
}

// The whole pointer story of one button as rows: what each message answers, which image is on
// screen afterwards, what reaches the parent.
TEST_F(ButtonTest, PressMoveAndReleaseRows) {
    const LPARAM in = MAKELPARAM(3, 3), corner = MAKELPARAM(kW - 1, kH - 1);
    const LPARAM right = MAKELPARAM(kW, 3), below = MAKELPARAM(3, kH);
    const LPARAM leftAbove = MAKELPARAM(0xFFFF, 0xFFFF);  // (-1, -1) under capture: outside
    const Readings pressed = Pixel(kPressed), normal = Pixel(kNormal), none;
    RunMessageTable(button_, {
        // press, wander out and back in, release inside: notified, normal image from leaving on
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, pressed, {}, Repaint::AtOnce},
        {WM_MOUSEMOVE, MK_LBUTTON, corner, 0, none, {}, Repaint::None},
        {WM_MOUSEMOVE, MK_LBUTTON, right, 0, normal, {}, Repaint::AtOnce},
        {WM_MOUSEMOVE, MK_LBUTTON, in, 0, none, {}, Repaint::None},
        {WM_MOUSEMOVE, MK_LBUTTON, below, 0, none, {}, Repaint::None},
        {WM_LBUTTONUP, 0, corner, 0, normal, {Command(1)}, Repaint::AtOnce},
        // right button; a move without flags is ignored, any flag counts; left/above is outside
        {WM_RBUTTONDOWN, MK_RBUTTON, in, 0, pressed, {}, Repaint::AtOnce},
        {WM_MOUSEMOVE, 0, below, 0, none, {}, Repaint::None},
        {WM_MOUSEMOVE, MK_SHIFT, leftAbove, 0, normal, {}, Repaint::AtOnce},
        {WM_RBUTTONUP, 0, leftAbove, 0, normal, {}, Repaint::AtOnce},
        // a release that never saw its press still notifies when inside
        {WM_RBUTTONUP, 0, in, 0, normal, {Command(2)}, Repaint::AtOnce},
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, pressed, {}, Repaint::AtOnce},
        {WM_LBUTTONUP, 0, below, 0, normal, {}, Repaint::AtOnce},
        // nothing else is the button's
        {WM_KEYDOWN, VK_SPACE, 0, 0, none, {}, Repaint::None},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, none, {}, Repaint::None},
        {WM_ERASEBKGND, 0, 0, 0, none, {}, Repaint::None},
    });
}

TEST_F(ButtonTest, PressCapturesAndTakesTheFocusAndWmPaintDrawsTheNormalImage) {
    SetFocus(parent_);
    SendMessageA(button_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 3));
    EXPECT_EQ(GetCapture(), button_);
    EXPECT_EQ(GetFocus(), button_);
    EXPECT_EQ(Shown(button_), static_cast<long long>(kPressed));
    InvalidateRect(button_, nullptr, FALSE);  // uncovered while held: the normal image
    UpdateWindow(button_);
    EXPECT_EQ(Shown(button_), static_cast<long long>(kNormal));
    SendMessageA(button_, WM_RBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, PaintRoutineChoosesTheImageAndCopiesTheRectanglesSize) {
    const ButtonState* state = GetStateBlock<ButtonState>(button_);
    DibCanvas canvas(kW + 4, kH + 4);
    const struct { int image; COLORREF colour; } cases[] = {{1, kPressed}, {0, kNormal}, {2, kNormal}, {-1, kNormal}};
    for (const auto& c : cases) {
        canvas.Fill(RGB(255, 0, 0));
        DrawButton(canvas.dc(), RECT{0, 0, 10, 6}, c.image, state);
        EXPECT_EQ(canvas.Pixel(9, 5), c.colour) << c.image;
        EXPECT_EQ(canvas.Pixel(10, 0), RGB(255, 0, 0)) << c.image;
        EXPECT_EQ(canvas.Pixel(0, 6), RGB(255, 0, 0)) << c.image;
    }
    canvas.Fill(RGB(255, 0, 0));
    DrawButton(canvas.dc(), RECT{0, 0, kW, kH}, 1, nullptr);
    EXPECT_EQ(canvas.Pixel(1, 1), RGB(255, 0, 0));
}

}  // namespace
