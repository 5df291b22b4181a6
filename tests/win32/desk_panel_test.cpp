// The desk panel and its commands, and the time code display, on a real desk window whose
// driver link records instead of sending.
#include "app/desk_panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/desk_window.h"
#include "app/mtc_display.h"
#include "controls/digitex.h"
#include "controls/toolkit_class.h"
#include "driver/generator_command.h"
#include "tests/win32/device_recorder.h"
#include "tests/win32/win32_test_support.h"

namespace {

struct Created {
    std::string className;
    int id, x, y, cx, cy;
};
std::vector<Created>* g_created = nullptr;

LRESULT CALLBACK RecordCreations(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND && g_created) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        char name[64] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
        g_created->push_back(Created{name, static_cast<int>(reinterpret_cast<INT_PTR>(cs->hMenu)),
                                     cs->x, cs->y, cs->cx, cs->cy});
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class DeskPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureToolkitRegistered();
        FrameRateIndex = 4;
        g_mtcState = MtcDecoderState{};
        g_device.Reset(true);
        window = CreateDeskWindow(TestInstance());
        ASSERT_NE(window, nullptr);
        ASSERT_NE(g_deskPanel, nullptr);
        panel = g_deskPanel;
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
        PumpMessages();
        g_device.Reset(true);
    }
    void TearDown() override {
        DestroyWindow(window);
        DrainPosted();
    }

    // A left click as the system delivers it; the toggle's notification is then dispatched
    // to the desk.
    void LeftClick(HWND control) {
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        PumpMessages();
    }
    void RightClick(HWND control) {
        SendMessageA(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        SendMessageA(control, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
        PumpMessages();
    }
    static int Check(HWND toggle) { return static_cast<int>(SendMessageA(toggle, BM_GETCHECK, 0, 0)); }
    static int Pos(HWND spinner) { return static_cast<int>(SendMessageA(spinner, SBM_GETPOS, 0, 0)); }
    void SetTime(int h, int m, int s, int f) {
        SendMessageA(panel->hours, SBM_SETPOS, h, 0);
        SendMessageA(panel->minutes, SBM_SETPOS, m, 0);
        SendMessageA(panel->seconds, SBM_SETPOS, s, 0);
        SendMessageA(panel->frames, SBM_SETPOS, f, 0);
    }
    std::vector<int> Checks() const {
        std::vector<int> out;
        for (HWND t : panel->rateToggles) out.push_back(Check(t));
        return out;
    }
    // The records sent since the last reset, each checked to be one open/control/close.
    std::vector<GeneratorCommand> Records() const {
        std::vector<GeneratorCommand> out;
        for (const DeviceCall& c : g_device.calls)
            if (c.kind == DeviceCall::Control) out.push_back(ParseGeneratorCommand(c.input.data()));
        EXPECT_EQ(g_device.Count(DeviceCall::Open), static_cast<int>(out.size()));
        EXPECT_EQ(g_device.Count(DeviceCall::Close), static_cast<int>(out.size()));
        return out;
    }
    std::uint32_t DeskField() const {
        return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window));
    }
    static void ExpectStart(const GeneratorCommand& r, std::uint32_t w, unsigned h, unsigned m,
                            unsigned s, unsigned f, int rate) {
        EXPECT_EQ(r.command, 1);
        EXPECT_EQ(r.window, w);
        EXPECT_EQ(r.hours, h);
        EXPECT_EQ(r.minutes, m);
        EXPECT_EQ(r.seconds, s);
        EXPECT_EQ(r.frames, f);
        EXPECT_EQ(r.frameRateIndex, rate);
    }
    static void ExpectStop(const GeneratorCommand& r) {
        unsigned char bytes[28];
        SerializeGeneratorCommand(r, bytes);
        EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + 28), std::vector<unsigned char>(28, 0));
    }
    void Feed(const std::vector<unsigned> bytes) {
        for (unsigned b : bytes) SendMessageA(window, WM_MTC_BYTE, b, 0);
    }

    HWND window = nullptr;
    DeskPanel* panel = nullptr;
};

TEST_F(DeskPanelTest, BuildsTheTenControlsInOrderAtTheirPlaces) {
    std::vector<Created> created;
    g_created = &created;
    HHOOK hook = SetWindowsHookExA(WH_CBT, RecordCreations, nullptr, GetCurrentThreadId());
    DeskPanel other = {};
    HWND parent = CreateTestParent(400, 200);
    created.clear();
    BuildDeskPanel(&other, parent, 0, -255, 0);
    UnhookWindowsHookEx(hook);
    g_created = nullptr;

    const std::vector<Created> expected = {
        {"Zut_DigitExClass", 0x880, 39, 14, 50, 44},  {"Zut_DigitExClass", 0x881, 94, 14, 50, 44},
        {"Zut_DigitExClass", 0x882, 149, 14, 50, 44}, {"Zut_DigitExClass", 0x883, 204, 14, 50, 44},
        {"Zut_TogleClass", 0x860, 269, 25, 44, 31},   {"Zut_TogleClass", 0x870, 37, 71, 40, 21},
        {"Zut_TogleClass", 0x871, 82, 71, 40, 21},    {"Zut_TogleClass", 0x872, 127, 71, 40, 21},
        {"Zut_TogleClass", 0x873, 172, 71, 40, 21},   {"Zut_TogleClass", 0x874, 217, 71, 40, 21}};
    ASSERT_EQ(created.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(created[i].className, expected[i].className) << i;
        EXPECT_EQ(created[i].id, expected[i].id) << i;
        EXPECT_EQ(created[i].x, expected[i].x) << i;
        EXPECT_EQ(created[i].y, expected[i].y) << i;
        EXPECT_EQ(created[i].cx, expected[i].cx) << i;
        EXPECT_EQ(created[i].cy, expected[i].cy) << i;
    }
    EXPECT_EQ(other.panelNumber, 0);
    const int maxima[4] = {99, 59, 59, 30};
    HWND spinners[4] = {other.hours, other.minutes, other.seconds, other.frames};
    for (int i = 0; i < 4; ++i) {
        const DigitExState* s = GetStateBlock<DigitExState>(spinners[i]);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->textColor, RGB(0, 255, 0));
        EXPECT_EQ(s->backColor, RGB(0, 0, 0));
        EXPECT_EQ(s->maxPos, maxima[i]);
        EXPECT_EQ(s->resetPos, 0);
        EXPECT_EQ(s->pos, 0);
        EXPECT_EQ(GetParent(spinners[i]), parent);
    }
    EXPECT_EQ(Check(other.startToggle), 0);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Check(other.rateToggles[i]), i == 4 ? 1 : 0);
    DestroyWindow(parent);
}

TEST_F(DeskPanelTest, PanelNumberOffsetsTheIdsAndNoParentCreatesNothing) {
    HWND parent = CreateTestParent(400, 200);
    DeskPanel one = {};
    BuildDeskPanel(&one, parent, 10, -245, 1);
    EXPECT_EQ(GetDlgCtrlID(one.hours), 0x1880);
    EXPECT_EQ(GetDlgCtrlID(one.startToggle), 0x1860);
    EXPECT_EQ(GetDlgCtrlID(one.rateToggles[4]), 0x1874);
    RECT r;
    GetWindowRect(one.hours, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 49);
    EXPECT_EQ(r.top, 24);
    DestroyWindow(parent);

    DeskPanel none;
    memset(&none, 0xAB, sizeof none);
    BuildDeskPanel(&none, nullptr, 0, -255, 7);
    EXPECT_EQ(none.panelNumber, 7);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(none.hours), reinterpret_cast<UINT_PTR>(none.rateToggles[4]))
        << "no handle is set";
}

TEST_F(DeskPanelTest, StartSendsTheShownTimeAndRateThenStopSendsZeros) {
    LeftClick(panel->rateToggles[1]);  // 25 fps, while stopped: nothing sent
    EXPECT_EQ(FrameRateIndex, 1);
    EXPECT_TRUE(g_device.calls.empty());
    SetTime(1, 2, 3, 4);
    g_mtcState.autoCheckCounter = 7;
    LeftClick(panel->startToggle);
    EXPECT_EQ(Check(panel->startToggle), 1);
    std::vector<GeneratorCommand> sent = Records();
    ASSERT_EQ(sent.size(), 1u);
    ExpectStart(sent[0], DeskField(), 1, 2, 3, 4, 1);
    EXPECT_EQ(g_mtcState.autoCheckCounter, 0);

    g_device.Reset(true);
    LeftClick(panel->startToggle);
    EXPECT_EQ(Check(panel->startToggle), 0);
    sent = Records();
    ASSERT_EQ(sent.size(), 1u);
    ExpectStop(sent[0]);
    EXPECT_EQ(g_mtcState.autoCheckCounter, -3);
}

TEST_F(DeskPanelTest, RateTogglesActAsOneGroup) {
    LeftClick(panel->rateToggles[0]);
    EXPECT_EQ(Checks(), std::vector<int>({1, 0, 0, 0, 0}));
    EXPECT_EQ(FrameRateIndex, 0);
    // The checked toggle unchecks itself on the press; the group checks it again.
    LeftClick(panel->rateToggles[0]);
    EXPECT_EQ(Checks(), std::vector<int>({1, 0, 0, 0, 0}));
    // A right-button release selects too.
    RightClick(panel->rateToggles[3]);
    EXPECT_EQ(Checks(), std::vector<int>({0, 0, 0, 1, 0}));
    EXPECT_EQ(FrameRateIndex, 3);
    EXPECT_TRUE(g_device.calls.empty()) << "nothing is sent while stopped";
}

TEST_F(DeskPanelTest, RateChangeWhileRunningRestartsFromTheShownTime) {
    SetTime(10, 20, 30, 5);
    LeftClick(panel->startToggle);
    SetTime(10, 20, 31, 7);  // as the decoder would show while running
    g_device.Reset(true);
    LeftClick(panel->rateToggles[2]);
    std::vector<GeneratorCommand> sent = Records();
    ASSERT_EQ(sent.size(), 1u);
    ExpectStart(sent[0], DeskField(), 10, 20, 31, 7, 2);
    // The already-checked rate still restarts.
    g_device.Reset(true);
    LeftClick(panel->rateToggles[2]);
    EXPECT_EQ(Checks(), std::vector<int>({0, 0, 1, 0, 0}));
    sent = Records();
    ASSERT_EQ(sent.size(), 1u);
    ExpectStart(sent[0], DeskField(), 10, 20, 31, 7, 2);
}

TEST_F(DeskPanelTest, RightReleaseOnStartRepeatsTheCommandOfItsState) {
    SetTime(0, 0, 5, 0);
    RightClick(panel->startToggle);
    EXPECT_EQ(Check(panel->startToggle), 0);
    std::vector<GeneratorCommand> sent = Records();
    ASSERT_EQ(sent.size(), 1u);
    ExpectStop(sent[0]);
    LeftClick(panel->startToggle);
    g_device.Reset(true);
    RightClick(panel->startToggle);
    EXPECT_EQ(Check(panel->startToggle), 1);
    sent = Records();
    ASSERT_EQ(sent.size(), 1u);
    ExpectStart(sent[0], DeskField(), 0, 0, 5, 0, 4);
}

TEST_F(DeskPanelTest, CommandsOfAnyPanelNumberReachTheSameRoutinesAndOthersAreIgnored) {
    DispatchDeskCommand(window, 0x1870, 0);
    EXPECT_EQ(FrameRateIndex, 0);
    EXPECT_EQ(Checks(), std::vector<int>({1, 0, 0, 0, 0}));
    SendMessageA(panel->startToggle, BM_SETCHECK, 1, 0);
    EXPECT_EQ(SendMessageA(window, WM_COMMAND, MAKEWPARAM(0x1860, 1), 0), 0);
    std::vector<GeneratorCommand> sent = Records();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].command, 1);
    g_device.Reset(true);
    for (WPARAM id : {WPARAM{104}, WPARAM{0x880}, WPARAM{0x875}, WPARAM{0x86F}, WPARAM{0x861}})
        EXPECT_EQ(SendMessageA(window, WM_COMMAND, id, 0), 0);
    EXPECT_TRUE(g_device.calls.empty());
    EXPECT_EQ(FrameRateIndex, 0);
}

TEST_F(DeskPanelTest, DecodedTimeCodeShowsInTheSpinners) {
    Feed({0xF1, 0x04, 0xF1, 0x10, 0xF1, 0x23, 0xF1, 0x30, 0xF1, 0x42, 0xF1, 0x50, 0xF1, 0x61});
    EXPECT_EQ(Pos(panel->frames), 0) << "nothing is shown before piece 7";
    Feed({0xF1, 0x76});
    EXPECT_EQ(Pos(panel->hours), 1);
    EXPECT_EQ(Pos(panel->minutes), 2);
    EXPECT_EQ(Pos(panel->seconds), 3);
    EXPECT_EQ(Pos(panel->frames), 4);
    // Frames 31 is beyond the frames spinner's largest position: it shows 00.
    Feed({0xF1, 0x0F, 0xF1, 0x11, 0xF1, 0x76});
    EXPECT_EQ(Pos(panel->frames), 0);
    EXPECT_EQ(SendMessageA(window, WM_MTC_BYTE, 0x1F1, 0), 0);
}

TEST_F(DeskPanelTest, TimeCodeAfterAStopChecksTheStartToggleAtTheFifthCountedByte) {
    LeftClick(panel->startToggle);
    LeftClick(panel->startToggle);  // stop: counter -3
    ASSERT_EQ(g_mtcState.autoCheckCounter, -3);
    Feed({0xF1, 0x00, 0x10, 0xF1, 0x20, 0xF8});
    EXPECT_EQ(Check(panel->startToggle), 0);
    g_device.Reset(true);
    Feed({0x30});
    EXPECT_EQ(Check(panel->startToggle), 1);
    EXPECT_TRUE(g_device.calls.empty()) << "checking by time code sends nothing";
    // A rate change now restarts the generator.
    LeftClick(panel->rateToggles[0]);
    std::vector<GeneratorCommand> sent = Records();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].command, 1);
    EXPECT_EQ(sent[0].frameRateIndex, 0);
}

TEST_F(DeskPanelTest, TimeCodeAfterProgramStartChecksAtTheSecondCountedByte) {
    Feed({0x00, 0x10});  // before any F1: ignored entirely
    EXPECT_EQ(g_mtcState.autoCheckCounter, 0);
    Feed({0xF1, 0x00});
    EXPECT_EQ(Check(panel->startToggle), 0);
    Feed({0xF1, 0x10});
    EXPECT_EQ(Check(panel->startToggle), 1);
}

}  // namespace
