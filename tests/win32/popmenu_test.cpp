#include "controls/popmenu.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/button.h"
#include "controls/toolkit_class.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr int kId = 0x12345;  // above 0xFFFF: notifications carry its low 16 bits only
constexpr COLORREF kFace = RGB(250, 240, 200), kRed = RGB(255, 0, 0);
constexpr int kFaceW = 100, kH = 22;
const char* const kLabels[] = {"Alpha", "Beta", "Gamma"};

long long Pos(HWND w) { return GetStateBlock<PopMenuState>(w)->pos; }

class PopMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureToolkitRegistered();
        parent_ = CreateTestParent();
        selector_ = CreatePopMenu(TestInstance(), parent_, kId, 10, 10, face_, buttonPressed_,
                                  buttonNormal_, kLabels, 3, 0);
        UpdateWindow(selector_);
        DrainPosted();
    }
    void TearDown() override {
        DestroyWindow(parent_);
        DrainPosted();
    }
    // The paint routine's picture of a block on a red canvas, black text.
    std::vector<COLORREF> Row(const PopMenuState& block, int y, int width) {
        DibCanvas canvas(width, kH);
        canvas.Fill(kRed);
        SetTextColor(canvas.dc(), RGB(0, 0, 0));
        DrawPopMenu(canvas.dc(), RECT{0, 0, width, kH}, &block);
        std::vector<COLORREF> row;
        for (int x = 0; x < width; ++x) row.push_back(canvas.Pixel(x, y));
        return row;
    }
    TestBitmap face_{kFaceW, kH, {kFace}};
    TestBitmap buttonPressed_{20, kH, {RGB(0, 160, 0)}};
    TestBitmap buttonNormal_{20, kH, {RGB(0, 0, 200)}};
    HWND parent_ = nullptr, selector_ = nullptr;
};

TEST_F(PopMenuTest, CreationBuildsTheMenuAndPutsTheButtonInTheLeftColumns) {
    ASSERT_NE(selector_, nullptr);
    RECT r;
    GetClientRect(selector_, &r);
    EXPECT_EQ(r.right, 20 + kFaceW);
    EXPECT_EQ(r.bottom, kH);
    const PopMenuState* state = GetStateBlock<PopMenuState>(selector_);
    EXPECT_EQ(state->backBitmap, static_cast<HBITMAP>(face_));
    EXPECT_EQ(state->pos, 0);
    EXPECT_EQ(state->count, 3);
    ASSERT_TRUE(IsMenu(state->menu));
    ASSERT_EQ(GetMenuItemCount(state->menu), 3);
    for (int p = 0; p < 3; ++p) {
        char label[16] = "";
        GetMenuStringA(state->menu, p, label, sizeof label, MF_BYPOSITION);
        EXPECT_EQ(GetMenuItemID(state->menu, p), static_cast<UINT>(5001 + p));
        EXPECT_STREQ(label, kLabels[p]);
    }
    HWND button = GetDlgItem(selector_, kPopMenuButtonId);
    ASSERT_NE(button, nullptr);
    char cls[32] = "";
    GetClassNameA(button, cls, sizeof cls);
    EXPECT_STREQ(cls, "Zut_ButtonClass");
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, selector_, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right, r.bottom}), (std::vector<LONG>{0, 0, 20, kH}));
    EXPECT_TRUE(IsWindowVisible(selector_) && IsWindowVisible(button));
}

TEST_F(PopMenuTest, ClicksCommandsAndPositionRows) {
    Readers block;
    block.position = Pos;
    RunMessageTable(selector_, {
        // a press alone does nothing; releases step with the wrap at count
        {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 5), 0, Position(0), {}, Repaint::None},
        {WM_LBUTTONUP, 0, MAKELPARAM(40, 5), 0, Position(1), {Command(1)}, Repaint::AtOnce},
        {WM_LBUTTONUP, 0, 0, 0, Position(2), {Command(1)}, Repaint::AtOnce},
        {WM_LBUTTONUP, 0, 0, 0, Position(0), {Command(1)}, Repaint::AtOnce},
        {WM_RBUTTONDOWN, MK_RBUTTON, 0, 0, Position(0), {}, Repaint::None},
        {WM_RBUTTONUP, 0, 0, 0, Position(0), {Command(2)}, Repaint::None},
        // SBM_SETPOS stores as it comes, silently; stepping from outside the items
        {SBM_SETPOS, 7, 0, 0, Position(7), {}, Repaint::AtOnce},
        {SBM_GETPOS, 0, 0, 7, Position(7), {}, Repaint::None},
        {WM_LBUTTONUP, 0, 0, 0, Position(0), {Command(1)}, Repaint::AtOnce},
        {SBM_SETPOS, static_cast<WPARAM>(-5), 0, 0, Position(-5), {}, Repaint::AtOnce},
        {WM_LBUTTONUP, 0, 0, 0, Position(-4), {Command(1)}, Repaint::AtOnce},
        // commands: a choice (code 0, or 3 and above) sets pos from the id, even the current one
        {WM_COMMAND, MAKEWPARAM(5002, 0), 0, 0, Position(1), {Command(1)}, Repaint::AtOnce},
        {WM_COMMAND, MAKEWPARAM(5002, 0), 0, 0, Position(1), {Command(1)}, Repaint::AtOnce},
        {WM_COMMAND, MAKEWPARAM(5003, 3), 0, 0, Position(2), {Command(1)}, Repaint::AtOnce},
        {WM_COMMAND, MAKEWPARAM(7, 0), 0, 0, Position(7 - 5001), {Command(1)}, Repaint::AtOnce},
        // code 1 from any id but the button's is swallowed; code 2 from any id is passed on
        {WM_COMMAND, MAKEWPARAM(5002, 1), 0, 0, Position(7 - 5001), {}, Repaint::None},
        {WM_COMMAND, MAKEWPARAM(kPopMenuButtonId, 2), 0, 0, Position(7 - 5001), {Command(2)}, Repaint::None},
        {WM_COMMAND, MAKEWPARAM(77, 2), 0, 0, Position(7 - 5001), {Command(2)}, Repaint::None},
        {WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0, 0, Position(7 - 5001), {}, Repaint::None},
        {WM_GETDLGCODE, 0, 0, DLGC_WANTALLKEYS, {}, {}, Repaint::None},
        {WM_ERASEBKGND, 0, 0, 0, {}, {}, Repaint::None},
    }, block);
}

// The face at x 20, the label of item pos at (24, 4), the left 20 columns untouched; a
// position that names no item shows the face alone; a label is cut to 63 characters.
TEST_F(PopMenuTest, PaintDrawsTheFaceAndTheLabelOfTheCurrentItem) {
    PopMenuState block = *GetStateBlock<PopMenuState>(selector_);
    const int width = 20 + kFaceW + 10;
    const std::vector<COLORREF> alpha = Row(block, 11, width);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(alpha[x], kRed) << x;
    for (int x = 20; x < 24; ++x) EXPECT_EQ(alpha[x], kFace) << x;
    for (int x = 20 + kFaceW; x < width; ++x) EXPECT_EQ(alpha[x], kRed) << x;
    int ink = 0;
    for (int x = 24; x < 20 + kFaceW; ++x) ink += alpha[x] != kFace;
    EXPECT_GT(ink, 0) << "the label is written over the face";
    EXPECT_EQ(Row(block, 3, width)[30], kFace) << "nothing above y 4";
    block.pos = 1;
    EXPECT_NE(Row(block, 11, width), alpha);
    block.pos = 3;
    EXPECT_EQ(Row(block, 11, width), Row(block, 1, width)) << "no item: the face alone";

    const std::string long70(70, 'I');
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 5001, long70.c_str());
    AppendMenuA(menu, MF_STRING, 5002, long70.substr(0, 63).c_str());
    AppendMenuA(menu, MF_STRING, 5003, long70.substr(0, 62).c_str());
    block.menu = menu;
    const int wide = 400;  // room for the whole line beyond the face
    const std::vector<COLORREF> cut = (block.pos = 0, Row(block, 11, wide));
    EXPECT_EQ(cut, (block.pos = 1, Row(block, 11, wide)));
    EXPECT_NE(cut, (block.pos = 2, Row(block, 11, wide)));
    DestroyMenu(menu);
}

// Waits on a thread of its own for the selector's popup menu, notes whether the current item
// (2) is checked while it is open, and chooses the second item with the keyboard.
struct Chooser {
    HMENU menu;
    bool opened, checkedWhileOpen;
};
DWORD WINAPI Choose(LPVOID p) {
    auto* c = static_cast<Chooser*>(p);
    for (int i = 0; i < 250; ++i, Sleep(20)) {
        HWND popup = FindOwnWindow("#32768");
        if (!popup || !IsWindowVisible(popup)) continue;
        c->opened = true;
        c->checkedWhileOpen = (GetMenuState(c->menu, 2, MF_BYPOSITION) & MF_CHECKED) != 0;
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(popup, WM_KEYDOWN, key, 0);
        return 0;
    }
    return 0;
}

// One real round trip through TrackPopupMenu: the child button's left click opens the menu
// (the current item checked only while it is open), keys choose the second item, and the
// parent hears code 1 with the new position in place.
// A face shorter than the button: the window is the button's height, and below the face its
// columns show the class background instead of whatever lay there; the button's columns stay
// untouched.
TEST_F(PopMenuTest, AFaceShorterThanTheButtonLeavesNoStripUnpainted) {
    TestBitmap shortFace{kFaceW, kH - 6, {kFace}};
    HWND w = CreatePopMenu(TestInstance(), parent_, 7, 10, 60, shortFace, buttonPressed_, buttonNormal_, kLabels,
                           3, 0);
    RECT client = {};
    GetClientRect(w, &client);
    EXPECT_EQ(client.bottom, kH);
    PopMenuState block = *GetStateBlock<PopMenuState>(w);
    const std::vector<COLORREF> bottom = Row(block, kH - 1, 20 + kFaceW);
    EXPECT_EQ(bottom[0], kRed);
    EXPECT_EQ(bottom[20], GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(bottom[20 + kFaceW - 1], GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(Row(block, kH - 7, 20 + kFaceW)[20 + kFaceW - 1], kFace);
}

TEST_F(PopMenuTest, ChildButtonOpensTheMenuAndAKeyboardChoiceComesBack) {
    SendMessageA(selector_, SBM_SETPOS, 2, 0);
    Chooser chooser = {GetStateBlock<PopMenuState>(selector_)->menu, false, false};
    HANDLE thread = CreateThread(nullptr, 0, Choose, &chooser, 0, nullptr);
    HWND button = GetDlgItem(selector_, kPopMenuButtonId);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    const std::vector<PostedMessage> toParent =
        DispatchKeepingCommands(parent_, 300, [](const std::vector<PostedMessage>& kept) { return !kept.empty(); });
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    EXPECT_TRUE(chooser.opened);
    EXPECT_TRUE(chooser.checkedWhileOpen);
    EXPECT_EQ(toParent, Expected(selector_, {Command(1)}));
    EXPECT_EQ(SendMessageA(selector_, SBM_GETPOS, 0, 0), 1);
    EXPECT_EQ(GetMenuState(chooser.menu, 2, MF_BYPOSITION) & MF_CHECKED, 0u);
}

TEST_F(PopMenuTest, DestroyingTheSelectorDestroysItsMenu) {
    const HMENU menu = GetStateBlock<PopMenuState>(selector_)->menu;
    DestroyWindow(selector_);
    EXPECT_FALSE(IsMenu(menu));
}

}  // namespace
