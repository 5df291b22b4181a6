#include "app/desk_window.h"

#include "app/desk_panel.h"
#include "app/mtc_display.h"
#include "controls/gdi_guards.h"
#include "controls/toolkit.h"
#include "resources/resource.h"

HINSTANCE g_programInstance = nullptr;
HBITMAP g_backgroundBitmap = nullptr;
DeskPanel* g_deskPanel = nullptr;

const char kDeskTitleFormat[] = "Korvane - SMPTE Desk %s";
const char kDeskVersion[] = "2.5 11-16-1999";

namespace {

constexpr DWORD kDeskStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // 0x80CA0000
static_assert(kDeskStyle == 0x80CA0000, "desk window style");

char g_className[101];

// The desk window is its background's size plus its frame and caption; the panel's layout is
// drawn from an origin 255 pixels above the background's top, with panel number 0.
constexpr int kFrameWidth = 6, kFrameHeight = 25;
constexpr int kPanelX0 = 0, kPanelY0 = -255;
constexpr int kPanelNumber = 0;

SIZE BackgroundSize() {
    BITMAP bm = {};
    if (g_backgroundBitmap && GetObjectA(g_backgroundBitmap, sizeof bm, &bm))
        return SIZE{bm.bmWidth, bm.bmHeight};
    return SIZE{kDesignedBackgroundWidth, kDesignedBackgroundHeight};
}

// WM_CREATE: background, size and place from the bitmap, then the panel. Without a panel the
// desk has nothing to offer, so its creation is refused.
LRESULT OnCreate(HWND window) {
    g_backgroundBitmap = LoadCachedBitmap(g_programInstance, "smptebak");
    const SIZE size = BackgroundSize();
    const int x = (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2;
    MoveWindow(window, x, y, size.cx + kFrameWidth, size.cy + kFrameHeight, FALSE);
    g_deskPanel = NewDeskPanel(window, kPanelX0, kPanelY0, kPanelNumber);
    return g_deskPanel ? 0 : -1;
}

LRESULT OnPaint(HWND window) {
    PaintDC paint(window);
    if (g_backgroundBitmap) {
        const SIZE size = BackgroundSize();
        MemoryDC memory(paint);
        SelectGuard select(memory, g_backgroundBitmap);
        BitBlt(paint, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    } else {
        RECT client;
        GetClientRect(window, &client);
        FillRect(paint, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }
    return 0;
}

// Closing the desk ends the message loop. A desk whose creation was refused (no panel) never
// ran one, so it leaves no quit message behind for whatever the thread does next.
LRESULT OnDestroy() {
    if (g_deskPanel) PostQuitMessage(0);
    return 0;
}

LRESULT OnMouseMove(HWND window) {
    if (GetForegroundWindow() == window) SetFocus(window);
    return 0;
}

}  // namespace

LRESULT CALLBACK DeskWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:     return OnCreate(window);
    case WM_ERASEBKGND: return 0;
    case WM_PAINT:      return OnPaint(window);
    case WM_COMMAND:    return DispatchDeskCommand(window, wParam, lParam);
    case WM_MOUSEMOVE:  return OnMouseMove(window);
    case WM_MTC_BYTE:   DecodeMtcByte(static_cast<unsigned>(wParam)); return 0;
    case WM_DESTROY:    return OnDestroy();
    default:            return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateDeskWindow(HINSTANCE instance) {
    g_programInstance = instance;
    LoadStringA(instance, IDS_WINDOW_CLASS, g_className, sizeof g_className);

    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = DeskWindowProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DESK));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOWFRAME + 1));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = g_className;
    wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_DESK_SMALL));
    RegisterClassExA(&wc);

    char title[100];
    wsprintfA(title, kDeskTitleFormat, kDeskVersion);
    return CreateWindowExA(0, g_className, title, kDeskStyle, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                           nullptr, nullptr, instance, nullptr);
}

int RunDeskWindow(HINSTANCE instance, int showCommand) {
    HWND window = CreateDeskWindow(instance);
    if (!window) return 0;
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDC_DESK_ACCEL));
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0)) {
        if (!TranslateAcceleratorA(msg.hwnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
