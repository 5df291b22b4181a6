// toolkit-gallery.exe: all fifteen toolkit classes live on one panel, wired to each other as
// a user of the toolkit would wire them, with a log of every notification the panel receives.
// The panel's art and every control's place come from gallery_art.h (tools/gen-art).
#include <windows.h>

#include "controls/bmpgage.h"
#include "controls/bmplist.h"
#include "controls/bmptext.h"
#include "controls/button.h"
#include "controls/digit.h"
#include "controls/digitex.h"
#include "controls/hs.h"
#include "controls/knob.h"
#include "controls/onoff.h"
#include "controls/popmenu.h"
#include "controls/smalltext.h"
#include "controls/state3.h"
#include "controls/static.h"
#include "controls/togle.h"
#include "controls/gdi_guards.h"
#include "controls/toolkit.h"
#include "controls/vs.h"
#include "gallery/gallery_art.h"
#include "resources/resource.h"

namespace {

namespace art = gallery_art;

// --- Identifiers and names ------------------------------------------------------------------

enum ControlId {
    kPushId = 0x101, kSelectorId, kWaveListId, kSwitchId, kLampId, kModeId,
    kFaderAId, kFaderBId, kVolumeId, kTempoId, kDigitId, kTextId, kGaugeId,
    kValueKnobId, kPanKnobId, kHoursId, kMinutesId, kSecondsId, kFramesId,
    kStartId, kRate0Id, kLabelId = kRate0Id + 5, kClearId, kLogId,
};

// Every control the panel creates, by id, with the name its notifications are logged under
// and the name a screen reader says for it.
struct Entry {
    int id;
    const char* name;
    const char* spoken;
    HWND window;
};
Entry g_controls[] = {
    {kPushId, "PUSH", "Push button", nullptr},
    {kSelectorId, "MENU", "MIDI channel", nullptr},
    {kWaveListId, "WAVES", "Waveform", nullptr},
    {kSwitchId, "SWITCH", "Switch", nullptr},
    {kLampId, "LAMP", "Lamp", nullptr},
    {kModeId, "MODE", "Mode", nullptr},
    {kFaderAId, "FADER A", "Fader A", nullptr},
    {kFaderBId, "FADER B", "Fader B", nullptr},
    {kVolumeId, "VOLUME", "Volume", nullptr},
    {kTempoId, "TEMPO", "Tempo", nullptr},
    {kDigitId, "DIGITS", "Fader A position", nullptr},
    {kTextId, "TEXT", "Last notification", nullptr},
    {kGaugeId, "GAUGE", "Fader B level", nullptr},
    {kValueKnobId, "VALUE", "Value", nullptr},
    {kPanKnobId, "PAN", "Pan", nullptr},
    {kHoursId, "HRS", "Hours", nullptr},
    {kMinutesId, "MIN", "Minutes", nullptr},
    {kSecondsId, "SEC", "Seconds", nullptr},
    {kFramesId, "FRM", "Frames", nullptr},
    {kStartId, "START", "Start", nullptr},
    {kRate0Id, "24", "24 frames per second", nullptr},
    {kRate0Id + 1, "25", "25 frames per second", nullptr},
    {kRate0Id + 2, "29.97", "29.97 frames per second", nullptr},
    {kRate0Id + 3, "30 D", "30 frames per second drop-frame", nullptr},
    {kRate0Id + 4, "30", "30 frames per second", nullptr},
    {kLabelId, "LABEL", "Switch and mode", nullptr},
    {kClearId, "CLEAR", "Clear log", nullptr},
};

const char* const kChannels[] = {
    "MIDI CHANNEL 1",  "MIDI CHANNEL 2",  "MIDI CHANNEL 3",  "MIDI CHANNEL 4",
    "MIDI CHANNEL 5",  "MIDI CHANNEL 6",  "MIDI CHANNEL 7",  "MIDI CHANNEL 8",
    "MIDI CHANNEL 9",  "MIDI CHANNEL 10", "MIDI CHANNEL 11", "MIDI CHANNEL 12",
    "MIDI CHANNEL 13", "MIDI CHANNEL 14", "MIDI CHANNEL 15", "MIDI CHANNEL 16",
};
constexpr int kChannelCount = sizeof kChannels / sizeof kChannels[0];

constexpr int kLogLimit = 500;  // oldest lines go first
const char kWindowClass[] = "ToolkitGalleryWindow";
const char kWindowTitle[] = "Toolkit Gallery";

HINSTANCE g_instance;
HWND g_log;
HFONT g_logFont;
HBRUSH g_logBrush;
int g_volumeEnabled = 1, g_tempoEnabled = 1;

Entry* Find(int id) {
    for (Entry& e : g_controls)
        if (e.id == id) return &e;
    return nullptr;
}

HWND Control(int id) {
    const Entry* e = Find(id);
    return e ? e->window : nullptr;
}

void Keep(int id, HWND window) {
    if (Entry* e = Find(id)) {
        e->window = window;
        SetControlName(window, e->spoken);
    }
}

HBITMAP Art(const char* name) {
    return LoadCachedBitmap(g_instance, name);
}

// --- Building the panel ---------------------------------------------------------------------

void BuildSwitchesAndSelectors(HWND panel) {
    Keep(kPushId, CreateButton(g_instance, panel, kPushId, art::kPushButton.x, art::kPushButton.y,
                               Art(art::kButtonDown), Art(art::kButtonUp)));
    Keep(kSelectorId, CreatePopMenu(g_instance, panel, kSelectorId, art::kSelector.x, art::kSelector.y,
                                    Art(art::kMenuFace), Art(art::kMenuDown), Art(art::kMenuUp), kChannels,
                                    kChannelCount, 9));
    HBITMAP waves[4];
    for (int i = 0; i < 4; ++i) waves[i] = Art(art::kWaves[i]);
    Keep(kWaveListId, CreateBmpList(g_instance, panel, kWaveListId, art::kBitmapList.x, art::kBitmapList.y,
                                    waves, 4));
    Keep(kSwitchId, CreateOnOff(g_instance, panel, kSwitchId, art::kOnOff.x, art::kOnOff.y, art::kOnOff.w,
                                art::kOnOff.h, false));
    Keep(kLampId, CreateStatic(g_instance, panel, kLampId, art::kLamp.x, art::kLamp.y, art::kLampOff));
    Keep(kModeId, CreateState3(g_instance, panel, kModeId, art::kThreeState.x, art::kThreeState.y,
                               Art(art::kModes[0]), Art(art::kModes[1]), Art(art::kModes[2]), 1));
}

void BuildFadersAndKnobs(HWND panel) {
    // Fader A passes its position to the digit display under it, fader B to the gauge.
    Keep(kDigitId, CreateDigit(g_instance, panel, kDigitId, art::kDigitDisplay.x, art::kDigitDisplay.y,
                               Art(art::kDigits), 0));
    Keep(kGaugeId, CreateBmpGage(g_instance, panel, kGaugeId, art::kGauge.x, art::kGauge.y, art::kGauge.w,
                                 art::kGauge.h, 0));
    const int buddies[2] = {kDigitId, kGaugeId}, steps[2] = {8, 5};
    for (int i = 0; i < 2; ++i)
        Keep(kFaderAId + i, CreateVS(g_instance, panel, kFaderAId + i, art::kFaders[i].x, art::kFaders[i].y,
                                     Art(art::kVsTrack), Art(art::kVsThumb), Art(art::kVsThumbFocus),
                                     art::kVsTrackTop, art::kVsTrackBottom, art::kFaderMax[i], steps[i],
                                     Control(buddies[i])));
    // VOLUME shows 0..127 as 0..100 %; TEMPO shows 0..127 as 40..240 (beats per minute).
    Keep(kVolumeId, CreateHS(g_instance, panel, kVolumeId, art::kSliders[0].x, art::kSliders[0].y,
                             art::kSliders[0].w, art::kSliders[0].h, Art(art::kHsBack), Art(art::kHsThumb),
                             Art(art::kHsThumbFocus), art::kHsTrackLeft, art::kHsTrackRight, 127, "VOLUME",
                             "%", 0, 100));
    Keep(kTempoId, CreateHS(g_instance, panel, kTempoId, art::kSliders[1].x, art::kSliders[1].y,
                            art::kSliders[1].w, art::kSliders[1].h, Art(art::kHsBack), Art(art::kHsThumb),
                            Art(art::kHsThumbFocus), art::kHsTrackLeft, art::kHsTrackRight, 127, "TEMPO BPM",
                            "", 40, 240));
    for (int i = 0; i < 2; ++i)
        Keep(kValueKnobId + i, CreateKnob(g_instance, panel, kValueKnobId + i, art::kKnobs[i].x, art::kKnobs[i].y,
                                          art::kKnobs[i].w, art::kKnobs[i].h, Art(art::kKnobMarker),
                                          Art(art::kKnobMarkerFocus), art::kKnobMin[i], art::kKnobMax[i],
                                          (art::kKnobMin[i] + art::kKnobMax[i]) / 2));
}

void BuildDisplaysAndKeys(HWND panel) {
    const int maxPos[4] = {99, 59, 59, 29};
    for (int i = 0; i < 4; ++i)
        Keep(kHoursId + i, CreateDigitEx(g_instance, panel, kHoursId + i, art::kSpinners[i].x, art::kSpinners[i].y,
                                         art::kSpinners[i].w, art::kSpinners[i].h, art::kSpinnerText,
                                         art::kSpinnerBack, maxPos[i], 0));
    Keep(kStartId, CreateTogle(g_instance, panel, kStartId, art::kStartToggle.x, art::kStartToggle.y, art::kStartOn,
                               art::kStartOff));
    for (int i = 0; i < 5; ++i)
        Keep(kRate0Id + i, CreateTogle(g_instance, panel, kRate0Id + i, art::kRateToggles[i].x,
                                       art::kRateToggles[i].y, art::kRateOn[i], art::kRateOff[i]));
    SendMessageA(Control(kRate0Id + 4), BM_SETCHECK, 1, 0);
    Keep(kTextId, CreateBmpText(g_instance, panel, kTextId, art::kBitmapText.x, art::kBitmapText.y,
                                Art(art::kCharset), art::kBitmapTextLength, "ready"));
    Keep(kLabelId, CreateSmallText(g_instance, panel, kLabelId, art::kSmallText.x, art::kSmallText.y,
                                   art::kSmallText.w, art::kSmallText.h, art::kSmallTextColor, art::kSmallTextBack));
    Keep(kClearId, CreateButton(g_instance, panel, kClearId, art::kClearKey.x, art::kClearKey.y,
                                Art(art::kClearDown), Art(art::kClearUp)));
}

void BuildLog(HWND panel) {
    g_logFont = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    g_logBrush = CreateSolidBrush(art::kLogBack);
    g_log = CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                            art::kLog.x, art::kLog.y, art::kLog.w, art::kLog.h, panel,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLogId)), g_instance, nullptr);
    SendMessageA(g_log, WM_SETFONT, reinterpret_cast<WPARAM>(g_logFont), FALSE);
}

// --- Wiring ---------------------------------------------------------------------------------

void Log(const char* line) {
    if (SendMessageA(g_log, LB_GETCOUNT, 0, 0) >= kLogLimit) SendMessageA(g_log, LB_DELETESTRING, 0, 0);
    const LRESULT index = SendMessageA(g_log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    if (index >= 0) SendMessageA(g_log, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    // The bitmap text repeats the newest line, padded to its cells (it upper-cases it itself).
    char padded[art::kBitmapTextLength + 1];
    int n = 0;
    for (; n < art::kBitmapTextLength && line[n] != '\0'; ++n) padded[n] = line[n];
    for (; n < art::kBitmapTextLength; ++n) padded[n] = ' ';
    padded[n] = '\0';
    SetWindowTextA(Control(kTextId), padded);
}

// A notification's sender: by id for commands, by the low 16 bits of its handle for scrolls.
const char* SenderById(int id) {
    const Entry* e = Find(id);
    return e ? e->name : "?";
}
const char* SenderByHandle(LPARAM lowHandle) {
    for (const Entry& e : g_controls)
        if (e.window && LOWORD(reinterpret_cast<UINT_PTR>(e.window)) == static_cast<WORD>(lowHandle)) return e.name;
    return "?";
}

// The lamp and the label tell the switch's and the mode key's states.
void ShowSwitchState() {
    const bool on = SendMessageA(Control(kSwitchId), BM_GETCHECK, 0, 0) == 1;
    const LRESULT mode = SendMessageA(Control(kModeId), BM_GETCHECK, 0, 0);
    const char* lamp = !on ? art::kLampOff : mode == 2 ? art::kLampRed : mode == 1 ? art::kLampGreen : art::kLampOff;
    SendMessageA(Control(kLampId), WM_SETICON, 0, reinterpret_cast<LPARAM>(lamp));
    static const char* const kModeNames[3] = {"OFF", "ON", "AUTO"};
    char text[64];
    wsprintfA(text, "SWITCH %s, MODE %s", on ? "ON" : "OFF", mode >= 0 && mode <= 2 ? kModeNames[mode] : "?");
    SetWindowTextA(Control(kLabelId), text);
}

// The rate keys act as one group, as on the desk: the key pressed stays on, the others go off.
void SelectRate(int pressed) {
    for (int i = 0; i < 5; ++i) SendMessageA(Control(kRate0Id + i), BM_SETCHECK, kRate0Id + i == pressed, 0);
}

// A right click on a horizontal slider switches its look between enabled and disabled (the
// window itself stays enabled, so it can be switched back).
void ToggleEnabled(int id) {
    int& enabled = id == kVolumeId ? g_volumeEnabled : g_tempoEnabled;
    enabled = !enabled;
    SendMessageA(Control(id), WM_ENABLE, enabled, 0);
}

LRESULT OnCommand(WPARAM wParam) {
    const int id = LOWORD(wParam), code = HIWORD(wParam);
    if (id == kClearId && code == 1) {
        SendMessageA(g_log, LB_RESETCONTENT, 0, 0);
        return 0;
    }
    char line[64];
    wsprintfA(line, "%-7s COMMAND %d", SenderById(id), code);
    if (id == kSelectorId && code == 1) {
        const LRESULT pos = SendMessageA(Control(id), SBM_GETPOS, 0, 0);
        if (pos >= 0 && pos < kChannelCount) wsprintfA(line, "MENU    %s", kChannels[pos]);
    }
    Log(line);
    if (id == kSwitchId || id == kModeId) ShowSwitchState();
    if (id >= kRate0Id && id < kRate0Id + 5 && code == 1) SelectRate(id);
    if ((id == kVolumeId || id == kTempoId) && code == 2) ToggleEnabled(id);
    return 0;
}

LRESULT OnScroll(const char* kind, WPARAM wParam, LPARAM lParam) {
    char line[64];
    wsprintfA(line, "%-7s %s %u POS %d", SenderByHandle(lParam), kind, static_cast<unsigned>(LOWORD(wParam)),
              static_cast<int>(static_cast<short>(HIWORD(wParam))));
    Log(line);
    return 0;
}

LRESULT OnPaint(HWND panel) {
    PaintDC dc(panel);
    MemoryDC memory(dc);
    SelectGuard keep(memory, Art(art::kBackground));
    BitBlt(dc, 0, 0, art::kClientWidth, art::kClientHeight, memory, 0, 0, SRCCOPY);
    return 0;
}

LRESULT OnLogColours(HDC dc) {
    SetTextColor(dc, art::kLogText);
    SetBkColor(dc, art::kLogBack);
    return reinterpret_cast<LRESULT>(g_logBrush);
}

LRESULT OnCreate(HWND panel) {
    BuildLog(panel);
    BuildSwitchesAndSelectors(panel);
    BuildFadersAndKnobs(panel);
    BuildDisplaysAndKeys(panel);
    ShowSwitchState();
    return 0;
}

LRESULT OnDestroy() {
    DeleteObject(g_logFont);
    DeleteObject(g_logBrush);
    PostQuitMessage(0);
    return 0;
}

LRESULT CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:         return OnCreate(window);
    case WM_ERASEBKGND:     return 1;
    case WM_PAINT:          return OnPaint(window);
    case WM_CTLCOLORLISTBOX: return OnLogColours(reinterpret_cast<HDC>(wParam));
    case WM_COMMAND:        return OnCommand(wParam);
    case WM_VSCROLL:        return OnScroll("VSCROLL", wParam, lParam);
    case WM_HSCROLL:        return OnScroll("HSCROLL", wParam, lParam);
    case WM_DESTROY:        return OnDestroy();
    default:                return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    g_instance = instance;
    RegisterControlClasses(instance);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = GalleryProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DESK));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, art::kClientWidth, art::kClientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) {
        UnregisterControlClasses();
        return 0;
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    UnregisterControlClasses();
    return 0;
}
