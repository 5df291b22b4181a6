// toolkit-gallery.exe: every toolkit control built so far, live, in one window, with a log of
// the notifications their parent receives. A new control class is one more row in kSections.
#include <windows.h>

#include <cstdio>

#include "controls/digitex.h"
#include "controls/togle.h"
#include "controls/toolkit.h"
#include "resources/resource.h"

namespace {

// --- The samples -----------------------------------------------------------------------------

// One control on show: its caption and how to make it at (x, y) with an identifier.
struct Sample {
    const char* caption;
    HWND (*create)(HINSTANCE instance, HWND parent, int id, int x, int y);
};

// One class on show: a heading and its samples, laid out in a row.
struct Section {
    const char* title;
    const Sample* samples;
    int count;
};

template <int MaxPos, int ResetPos, COLORREF Text, COLORREF Back>
HWND MakeSpinner(HINSTANCE instance, HWND parent, int id, int x, int y) {
    return CreateDigitEx(instance, parent, id, x, y, 52, 36, Text, Back, MaxPos, ResetPos);
}

template <const char* On, const char* Off>
HWND MakeTogle(HINSTANCE instance, HWND parent, int id, int x, int y) {
    return CreateTogle(instance, parent, id, x, y, On, Off);
}

constexpr char kStartOn[] = "start_on", kStartOff[] = "start_off";
constexpr char k24On[] = "24_on", k24Off[] = "24_off";
constexpr char k25On[] = "25_on", k25Off[] = "25_off";
constexpr char k2997On[] = "2997_on", k2997Off[] = "2997_off";
constexpr char k30DOn[] = "30D_on", k30DOff[] = "30D_off";
constexpr char k30On[] = "30_on", k30Off[] = "30_off";

const Sample kSpinners[] = {
    {"hours 0-99", MakeSpinner<99, 0, RGB(0, 255, 0), RGB(0, 0, 0)>},
    {"minutes 0-59", MakeSpinner<59, 0, RGB(255, 176, 0), RGB(40, 24, 0)>},
    {"seconds 0-59", MakeSpinner<59, 0, RGB(255, 255, 255), RGB(0, 48, 128)>},
    {"frames 0-29", MakeSpinner<29, 0, RGB(255, 64, 64), RGB(32, 0, 0)>},
    {"0-9, reset 5", MakeSpinner<9, 5, RGB(0, 0, 0), RGB(224, 224, 224)>},
};

const Sample kTogles[] = {
    {"start", MakeTogle<kStartOn, kStartOff>},
    {"24", MakeTogle<k24On, k24Off>},
    {"25", MakeTogle<k25On, k25Off>},
    {"29.97", MakeTogle<k2997On, k2997Off>},
    {"30 drop", MakeTogle<k30DOn, k30DOff>},
    {"30", MakeTogle<k30On, k30Off>},
};

const Section kSections[] = {
    {"Two-digit spinner: left click steps up, right click resets, wheel steps and notifies",
     kSpinners, sizeof kSpinners / sizeof kSpinners[0]},
    {"Bitmap toggle: left click flips and notifies (code 1), right click notifies (code 2)",
     kTogles, sizeof kTogles / sizeof kTogles[0]},
};

// --- Layout ------------------------------------------------------------------------------------

constexpr int kMargin = 16;
constexpr int kSamplesWidth = 500;  // the samples' column; the log fills the rest
constexpr int kLogWidth = 300;
constexpr int kClientHeight = 300;
constexpr int kTitleHeight = 18;
constexpr int kCaptionHeight = 16;
constexpr int kSampleGap = 18;
constexpr int kSectionGap = 22;
constexpr int kFirstSampleId = 0x101;
constexpr int kLogId = 0x10;
constexpr int kClearId = 0x11;
constexpr int kLogLimit = 500;  // oldest lines go first

const char kWindowClass[] = "ToolkitGalleryWindow";
const char kWindowTitle[] = "Toolkit Gallery";

HINSTANCE g_instance;
HWND g_log;    // the notification log
HWND g_clear;  // its Clear button

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

HWND MakeStatic(HWND parent, const char* text, DWORD align, int x, int y, int width, int height) {
    HWND w = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_NOPREFIX | align, x, y,
                             width, height, parent, nullptr, g_instance, nullptr);
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    return w;
}

int TextWidth(HWND window, const char* text) {
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, GuiFont());
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

// Creates every sample, section by section, each with its caption centred under it.
void BuildSamples(HWND parent) {
    int id = kFirstSampleId;
    int y = kMargin;
    for (const Section& section : kSections) {
        MakeStatic(parent, section.title, SS_LEFT, kMargin, y, kSamplesWidth - kMargin, kTitleHeight);
        y += kTitleHeight + 6;
        int x = kMargin;
        int rowHeight = 0;
        for (int i = 0; i < section.count; ++i, ++id) {
            const Sample& sample = section.samples[i];
            HWND control = sample.create(g_instance, parent, id, x, y);
            RECT r = {0, 0, 0, 0};
            if (control) GetWindowRect(control, &r);
            const int width = r.right - r.left, height = r.bottom - r.top;
            const int captionWidth = TextWidth(parent, sample.caption) + 8;
            const int cell = width > captionWidth ? width : captionWidth;
            if (control) MoveWindow(control, x + (cell - width) / 2, y, width, height, FALSE);
            MakeStatic(parent, sample.caption, SS_CENTER, x, y + height + 4, cell, kCaptionHeight);
            if (height > rowHeight) rowHeight = height;
            x += cell + kSampleGap;
        }
        y += rowHeight + 4 + kCaptionHeight + kSectionGap;
    }
    MakeStatic(parent,
               "Clicks on a spinner change it silently; only the wheel reports. Point at a "
               "spinner to give it the focus, then turn the wheel.",
               SS_LEFT, kMargin, y, kSamplesWidth - kMargin, 2 * kCaptionHeight);
}

// --- The log -----------------------------------------------------------------------------------

void Log(const char* line) {
    if (SendMessageA(g_log, LB_GETCOUNT, 0, 0) >= kLogLimit) SendMessageA(g_log, LB_DELETESTRING, 0, 0);
    const LRESULT index = SendMessageA(g_log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
    if (index >= 0) SendMessageA(g_log, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void LogCommand(WPARAM wParam) {
    char line[64];
    std::snprintf(line, sizeof line, "WM_COMMAND id=0x%X code=%u", LOWORD(wParam), HIWORD(wParam));
    Log(line);
}

// The position travels as 16 bits; read back as signed, as the spinners' ranges are.
void LogScroll(const char* name, WPARAM wParam) {
    char line[64];
    std::snprintf(line, sizeof line, "%s request=%u pos=%d", name, LOWORD(wParam),
                  static_cast<short>(HIWORD(wParam)));
    Log(line);
}

void BuildLog(HWND parent) {
    const int x = kSamplesWidth + kMargin;
    MakeStatic(parent, "Notifications received by this window", SS_LEFT, x, kMargin,
               kLogWidth - 80, kTitleHeight);
    g_clear = CreateWindowExA(0, "BUTTON", "Clear", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                 x + kLogWidth - 2 * kMargin - 56, kMargin - 4, 56, 22, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kClearId)), g_instance, nullptr);
    SendMessageA(g_clear, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    g_log = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                            x, kMargin + kTitleHeight + 6, kLogWidth - 2 * kMargin,
                            kClientHeight - 2 * kMargin - kTitleHeight - 6, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kLogId)), g_instance, nullptr);
    SendMessageA(g_log, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
}

// --- The window ----------------------------------------------------------------------------------

LRESULT CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        BuildSamples(window);
        BuildLog(window);
        return 0;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == g_clear) {
            SendMessageA(g_log, LB_RESETCONTENT, 0, 0);
            return 0;
        }
        LogCommand(wParam);
        return 0;
    case WM_VSCROLL: LogScroll("WM_VSCROLL", wParam); return 0;
    case WM_HSCROLL: LogScroll("WM_HSCROLL", wParam); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
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
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc);

    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame = {0, 0, kSamplesWidth + kLogWidth, kClientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                  frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                  instance, nullptr);
    if (!window) return 0;
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
