#include "tests/win32/win32_test_support.h"

std::vector<PostedMessage> DrainPosted() {
    std::vector<PostedMessage> out;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_PAINT || msg.message == WM_TIMER || msg.message >= 0xC000) {
            DispatchMessageA(&msg);
            continue;
        }
        out.push_back(PostedMessage{msg.hwnd, msg.message, msg.wParam, msg.lParam});
    }
    return out;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int FreeGdiSlots() {
    std::vector<HBRUSH> brushes;
    brushes.reserve(70000);
    for (;;) {
        HBRUSH b = CreateSolidBrush(0);
        if (!b) break;
        brushes.push_back(b);
    }
    for (HBRUSH b : brushes) DeleteObject(b);
    return static_cast<int>(brushes.size());
}

DibCanvas::DibCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<DWORD*>(bits);
    old_ = SelectObject(dc_, bitmap_);
}

DibCanvas::~DibCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF DibCanvas::Pixel(int x, int y) const {
    GdiFlush();
    const DWORD v = bits_[y * width_ + x];  // 0x00RRGGBB
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void DibCanvas::Fill(COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    RECT r = {0, 0, width_, height_};
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
}

void CaptureClient(HWND window, DibCanvas& canvas) {
    HDC dc = GetDC(window);
    BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(window, dc);
}

HINSTANCE TestInstance() {
    return GetModuleHandleA(nullptr);
}

namespace {
LRESULT CALLBACK TestParentProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, m, wp, lp);
}
}  // namespace

HWND CreateTestParent(int width, int height) {
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = TestParentProc;
        wc.hInstance = TestInstance();
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = "DeskTestParent";
        atom = RegisterClassA(&wc);
    }
    HWND w = CreateWindowExA(0, "DeskTestParent", "test parent", WS_OVERLAPPED | WS_VISIBLE,
                             50, 50, width, height, nullptr, nullptr, TestInstance(), nullptr);
    SetForegroundWindow(w);
    PumpMessages();
    return w;
}
