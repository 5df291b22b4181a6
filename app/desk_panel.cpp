#include "app/desk_panel.h"

#include "app/desk_window.h"
#include "app/mtc_display.h"
#include "controls/digitex.h"
#include "controls/togle.h"
#include "controls/toolkit.h"
#include "driver/driver_link.h"

int FrameRateIndex = 4;

namespace {

constexpr COLORREF kDigitGreen = RGB(0, 255, 0);
constexpr COLORREF kDigitBlack = RGB(0, 0, 0);

// The panel's layout from its origin (x0, y0): the spinners' row, the start toggle, the rate
// toggles' row.
constexpr int kSpinnerTop = 269;
constexpr int kSpinnerWidth = 50, kSpinnerHeight = 44;
constexpr int kStartLeft = 269, kStartTop = 280;
constexpr int kRateTop = 326;
constexpr int kSpinnerCount = 4;
constexpr int kRateCount = sizeof(DeskPanel::rateToggles) / sizeof(DeskPanel::rateToggles[0]);

// A control id is the panel number shifted past the key of the control within the panel; a
// rate toggle's id masked with kRateIndexMask is its frame rate index.
constexpr int kPanelNumberShift = 12;
constexpr int kKeyMask = 0xFFF;
constexpr int kRateIndexMask = 0x78F;
static_assert((kRateId0 & kRateIndexMask) == 0 && ((kRateId0 + kRateCount - 1) & kRateIndexMask) == kRateCount - 1,
              "the mask yields the rate index");

// The generator commands, and the decoder's start-toggle counter they set: 0 after a start;
// -3 before a stop, so that the fifth counted time code byte after it checks the toggle again.
constexpr int kStartCommand = 1;
constexpr int kStopCommand = 0;
constexpr int kCounterAfterStart = 0;
constexpr int kCounterBeforeStop = -3;

// Each control's name is what a screen reader says for it.
struct SpinnerPlace { int id, x, maxPos; const char* name; };
const SpinnerPlace kSpinners[kSpinnerCount] = {
    {kHoursId, 39, 99, "Hours"}, {kMinutesId, 94, 59, "Minutes"}, {kSecondsId, 149, 59, "Seconds"},
    {kFramesId, 204, 30, "Frames"}};
constexpr char kStartName[] = "Start";

struct RatePlace { int x; const char* on; const char* off; const char* name; };
const RatePlace kRates[kRateCount] = {
    {37, "24_on", "24_off", "24 frames per second"},
    {82, "25_on", "25_off", "25 frames per second"},
    {127, "2997_on", "2997_off", "29.97 frames per second"},
    {172, "30D_on", "30D_off", "30 frames per second drop-frame"},
    {217, "30_on", "30_off", "30 frames per second"}};

void* HeapPanelAlloc(SIZE_T size) {
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
}

int SpinnerPosition(HWND spinner) {
    return LOWORD(SendMessageA(spinner, SBM_GETPOS, 0, 0));
}

int CheckState(HWND toggle) {
    return static_cast<int>(SendMessageA(toggle, BM_GETCHECK, 0, 0));
}

}  // namespace

void* (*g_deskPanelAlloc)(SIZE_T size) = HeapPanelAlloc;

void BuildDeskPanel(DeskPanel* panel, HWND parent, int x0, int y0, int panelNumber) {
    panel->panelNumber = panelNumber;
    if (!parent) return;
    const int base = static_cast<int>(static_cast<unsigned>(panelNumber) << kPanelNumberShift);  // any panel number
    HWND* spinners[kSpinnerCount] = {&panel->hours, &panel->minutes, &panel->seconds, &panel->frames};
    for (int i = 0; i < kSpinnerCount; ++i) {
        const SpinnerPlace& s = kSpinners[i];
        *spinners[i] = CreateDigitEx(g_programInstance, parent, base + s.id, x0 + s.x, y0 + kSpinnerTop,
                                     kSpinnerWidth, kSpinnerHeight, kDigitGreen, kDigitBlack, s.maxPos, 0);
        SetControlName(*spinners[i], s.name);
    }
    panel->startToggle = CreateTogle(g_programInstance, parent, base + kStartId, x0 + kStartLeft,
                                     y0 + kStartTop, "start_on", "start_off");
    SetControlName(panel->startToggle, kStartName);
    for (int i = 0; i < kRateCount; ++i) {
        panel->rateToggles[i] = CreateTogle(g_programInstance, parent, base + kRateId0 + i,
                                            x0 + kRates[i].x, y0 + kRateTop, kRates[i].on,
                                            kRates[i].off);
        SetControlName(panel->rateToggles[i], kRates[i].name);
    }
    SendMessageA(panel->rateToggles[FrameRateIndex], BM_SETCHECK, 1, 0);
}

DeskPanel* NewDeskPanel(HWND parent, int x0, int y0, int panelNumber) {
    DeskPanel* panel = static_cast<DeskPanel*>(g_deskPanelAlloc(sizeof(DeskPanel)));
    if (panel) BuildDeskPanel(panel, parent, x0, y0, panelNumber);
    return panel;
}

void StartStopGenerator(HWND window) {
    const DeskPanel* panel = g_deskPanel;
    if (!panel) return;
    const int state = CheckState(panel->startToggle);
    const unsigned hours = SpinnerPosition(panel->hours);
    const unsigned minutes = SpinnerPosition(panel->minutes);
    const unsigned seconds = SpinnerPosition(panel->seconds);
    const unsigned frames = SpinnerPosition(panel->frames);
    if (state == 1) {
        SendGeneratorCommand(kStartCommand, window, FrameRateIndex, hours, minutes, seconds, frames);
        g_mtcState.autoCheckCounter = kCounterAfterStart;
    } else {
        g_mtcState.autoCheckCounter = kCounterBeforeStop;
        SendGeneratorCommand(kStopCommand, nullptr, 0, 0, 0, 0, 0);
    }
}

void SelectFrameRate(HWND window, int index) {
    const DeskPanel* panel = g_deskPanel;
    if (!panel || index < 0 || index >= kRateCount) return;
    FrameRateIndex = index;
    for (int i = 0; i < kRateCount; ++i)
        SendMessageA(panel->rateToggles[i], BM_SETCHECK, i == index ? 1 : 0, 0);
    if (CheckState(panel->startToggle) == 1) StartStopGenerator(window);
}

LRESULT DispatchDeskCommand(HWND window, WPARAM wParam, LPARAM) {
    const int id = LOWORD(wParam);
    const int key = id & kKeyMask;
    if (key == kStartId)
        StartStopGenerator(window);
    else if (key >= kRateId0 && key < kRateId0 + kRateCount)
        SelectFrameRate(window, id & kRateIndexMask);
    return 0;
}
