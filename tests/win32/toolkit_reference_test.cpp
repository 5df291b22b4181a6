// A host written from docs/toolkit.md alone: it makes a horizontal slider with its creation
// function and a three-state button by hand (CreateWindowExA, the block filled through
// GWLP_USERDATA, shown), sends each the messages its section lists and checks the results
// and the notifications the page promises.
#include "controls/hs.h"
#include "controls/state3.h"
#include "controls/toolkit.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/win32/win32_test_support.h"

namespace {

struct Step {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;                     // what the message returns
    LONG position;                      // SBM_GETPOS / BM_GETCHECK afterwards
    std::vector<PostedMessage> posted;  // the notifications, in order
};

void RunSteps(HWND control, UINT readMessage, const std::vector<Step>& steps) {
    DrainPostedExceptInput();
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        SCOPED_TRACE(testing::Message() << "step " << i << ", message 0x" << std::hex << s.message);
        EXPECT_EQ(SendMessageA(control, s.message, s.wParam, s.lParam), s.result);
        EXPECT_EQ(DrainPostedExceptInput(), s.posted);
        EXPECT_EQ(SendMessageA(control, readMessage, 0, 0), s.position);
    }
}

WPARAM Wheel(short delta) { return MAKEWPARAM(0, static_cast<WORD>(delta)); }

}  // namespace

TEST(ToolkitReference, HorizontalSliderAsThePageDescribesIt) {
    EnsureToolkitRegistered();
    HWND parent = CreateTestParent();
    TestBitmap back(220, 24, {RGB(230, 230, 200)});
    TestBitmap thumb(7, 22, {RGB(0, 0, 200)}), thumbFocus(7, 22, {RGB(200, 0, 0)});
    // Track from x 1 to x 100 for positions 0..200; no display range.
    HWND hs = CreateHS(TestInstance(), parent, 0x77, 10, 40, 220, 24, back, thumb, thumbFocus, 1, 100, 200,
                       "VOL", "%", 0, 0);
    ASSERT_NE(hs, nullptr);
    EXPECT_TRUE(IsWindowVisible(hs));
    PumpMessages();

    const auto scroll = [hs, parent](int pos) {
        return PostedMessage{parent, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), LowHandle(hs)};
    };
    const LPARAM y = 5;
    RunSteps(hs, SBM_GETPOS, {
        {SBM_SETPOS, 150, 0, 0, 150, {}},               // sets, tells nobody
        {SBM_SETPOS, 500, 0, 0, 500, {}},               // not clamped
        {SBM_SETPOS, 100, 0, 0, 100, {}},
        {WM_MOUSEWHEEL, Wheel(120), 0, 0, 112, {scroll(112)}},   // + (200 + 1) / 16
        {WM_MOUSEWHEEL, Wheel(-120), 0, 0, 100, {scroll(100)}},
        {SBM_SETPOS, 195, 0, 0, 195, {}},
        {WM_MOUSEWHEEL, Wheel(120), 0, 0, 200, {scroll(200)}},   // held to maxPos
        {SBM_SETPOS, 5, 0, 0, 5, {}},
        {WM_MOUSEWHEEL, Wheel(-120), 0, 0, 0, {scroll(0)}},      // held to 0
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, y), 0, 100, {}},  // 200 * 50 / 100, silent
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(25, y), 0, 50, {scroll(50)}},  // always position 4
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(150, y), 0, 200, {scroll(200)}},  // x held to 100
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, y), 0, 2, {scroll(2)}},        // x held to 1
        {WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, y), 0, 2, {}},               // outside: nothing
        {WM_LBUTTONUP, 0, MAKELPARAM(0, y), 0, 2, {scroll(2)}},
        {WM_RBUTTONUP, 0, MAKELPARAM(0, y), 2,  2,
         {PostedMessage{parent, WM_COMMAND, MAKEWPARAM(0x77, 2), LowHandle(hs)}}},
        {HSM_SETOFFSET, 10, 0, 0, 2, {}},
        {HSM_SETRANGE, MAKEWPARAM(100, 200), reinterpret_cast<LPARAM>("Hz"), 0, 2, {}},
        {HSM_SETSUFFIX, 0, reinterpret_cast<LPARAM>("dB"), 0, 2, {}},
        {WM_ENABLE, 0, 0, 0, 0, {}},                    // disabling puts the position to 0
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, 0, {}},
    });
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(parent);
}

TEST(ToolkitReference, ThreeStateButtonMadeByHandAsThePageDescribesIt) {
    EnsureToolkitRegistered();
    HWND parent = CreateTestParent();
    const COLORREF k0 = RGB(200, 0, 0), k1 = RGB(0, 160, 0), k2 = RGB(0, 0, 200);
    TestBitmap s0(20, 10, {k0}), s1(20, 10, {k1}), s2(20, 10, {k2});

    // The three steps of "Making a control".
    HWND button = CreateWindowExA(0, "Zut_State3Class", "", WS_CHILD, 5, 5, 20, 10, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(0x321)), TestInstance(), nullptr);
    ASSERT_NE(button, nullptr);
    auto* block = reinterpret_cast<State3State*>(GetWindowLongPtrA(button, GWLP_USERDATA));
    ASSERT_NE(block, nullptr);
    block->state = 0;
    block->bitmapState1 = s1;
    block->bitmapState2 = s2;
    block->bitmapState0 = s0;
    ShowWindow(button, SW_SHOWNORMAL);
    PumpMessages();
    EXPECT_EQ(ScreenPixel(button, 1, 1), k0);

    const PostedMessage click = {parent, WM_COMMAND, MAKEWPARAM(0x321, 0), LowHandle(button)};
    const LPARAM in = MAKELPARAM(3, 3);
    RunSteps(button, BM_GETCHECK, {
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, 1, {click}},
        {WM_LBUTTONUP, 0, in, 1, 1, {}},                 // answers the state
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, 2, {click}},
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, 0, {click}}, // 2 back to 0
        {BM_SETCHECK, 2, 0, 0, 2, {}},                   // sets, tells nobody
        {BM_SETCHECK, 5, 0, 0, 5, {}},                   // stored as it comes
        {WM_LBUTTONDOWN, MK_LBUTTON, in, 0, 0, {click}}, // (5 + 1) mod 3
        {WM_LBUTTONUP, 0, in, 0, 0, {}},
        {WM_RBUTTONDOWN, MK_RBUTTON, in, 0, 0, {}},      // the right button does nothing
        {WM_MOUSEWHEEL, Wheel(120), in, 0, 0, {}},       // nor does the wheel
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, 0, {}},
    });

    // Presses and BM_SETCHECK draw at once: the screen shows the new image before any paint.
    const struct {
        UINT message;
        WPARAM wParam;
        COLORREF shown;
    } draws[] = {{BM_SETCHECK, 2, k2}, {WM_LBUTTONDOWN, MK_LBUTTON, k0}, {WM_LBUTTONDOWN, MK_LBUTTON, k1},
                 {BM_SETCHECK, 0, k0}};
    for (const auto& d : draws) {
        SendMessageA(button, d.message, d.wParam, in);
        EXPECT_EQ(ScreenPixel(button, 1, 1), d.shown) << "message 0x" << std::hex << d.message;
    }
    EXPECT_EQ(GetCapture(), button);  // a press takes the capture and the focus
    EXPECT_EQ(GetFocus(), button);
    SendMessageA(button, WM_LBUTTONUP, 0, in);
    EXPECT_EQ(GetCapture(), nullptr);
    DrainPosted();
    DestroyWindow(parent);
}
