#include "tests/win32/win32_test_support.h"

#include <commctrl.h>

#include <algorithm>

#include "controls/toolkit_class.h"

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

std::vector<PostedMessage> DispatchKeepingCommands(HWND parent, int rounds,
                                                   const std::function<bool(const std::vector<PostedMessage>&)>& done) {
    std::vector<PostedMessage> kept;
    for (int i = 0; i < rounds && !done(kept); ++i, Sleep(10)) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == parent && msg.message == WM_COMMAND)
                kept.push_back({msg.hwnd, msg.message, msg.wParam, msg.lParam});
            else
                DispatchMessageA(&msg);
        }
    }
    return kept;
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

COLORREF ScreenPixel(HWND window, int x, int y) {
    DibCanvas screen(x + 1, y + 1);
    CaptureClient(window, screen);
    return screen.Pixel(x, y);
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

HWND FindOwnWindow(const char* className) {
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, className, nullptr)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId()) return w;
    }
    return nullptr;
}

void EnsureToolkitRegistered() {
    WNDCLASSA wc;
    if (!GetClassInfoA(TestInstance(), "Zut_TogleClass", &wc)) RegisterControlClasses(TestInstance());
}

BoxWatcher::BoxWatcher(const char* caption)
    : caption_(caption), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    InitializeCriticalSection(&lock_);
    thread_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
}

BoxWatcher::~BoxWatcher() {
    SetEvent(stop_);
    WaitForSingleObject(thread_, 10000);
    CloseHandle(thread_);
    CloseHandle(stop_);
    DeleteCriticalSection(&lock_);
}

std::vector<std::string> BoxWatcher::Texts() {
    EnterCriticalSection(&lock_);
    std::vector<std::string> copy = texts_;
    LeaveCriticalSection(&lock_);
    return copy;
}

namespace {

// A visible dialog of this process with the caption: tests run in parallel processes, each
// may have a box of the same caption open.
HWND FindOwnBox(const char* caption) {
    HWND box = nullptr;
    while ((box = FindWindowExA(nullptr, box, "#32770", caption)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(box, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(box)) return box;
    }
    return nullptr;
}

}  // namespace

DWORD WINAPI BoxWatcher::Run(LPVOID p) {
    BoxWatcher* self = static_cast<BoxWatcher*>(p);
    while (WaitForSingleObject(self->stop_, 20) == WAIT_TIMEOUT) {
        HWND box = FindOwnBox(self->caption_.c_str());
        if (!box) continue;
        char text[1024] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        EnterCriticalSection(&self->lock_);
        self->texts_.push_back(text);
        LeaveCriticalSection(&self->lock_);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        for (int i = 0; i < 250 && IsWindow(box); ++i) Sleep(20);
    }
    return 0;
}

MessageLog::MessageLog(HWND window) : window_(window), attached_(false) {
    attached_ = SetWindowSubclass(window, Proc, 1, reinterpret_cast<DWORD_PTR>(this)) != FALSE;
}

MessageLog::~MessageLog() {
    if (attached_ && IsWindow(window_)) RemoveWindowSubclass(window_, Proc, 1);
}

int MessageLog::Count(UINT message) const {
    int n = 0;
    for (const LoggedMessage& m : messages_) n += m.message == message;
    return n;
}

LRESULT CALLBACK MessageLog::Proc(HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    reinterpret_cast<MessageLog*>(self)->messages_.push_back(LoggedMessage{m, wp, lp});
    return DefSubclassProc(w, m, wp, lp);
}

namespace {
SentMessageSpy* g_activeSpy = nullptr;
}  // namespace

SentMessageSpy::SentMessageSpy(std::function<void(const CWPSTRUCT&)> onMessage)
    : onMessage_(std::move(onMessage)),
      hook_(SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId())) {
    if (hook_) g_activeSpy = this;
}

SentMessageSpy::~SentMessageSpy() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (g_activeSpy == this) g_activeSpy = nullptr;
}

LRESULT CALLBACK SentMessageSpy::Hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_activeSpy) g_activeSpy->onMessage_(*reinterpret_cast<CWPSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool RunWhileForeground(HWND window, const std::function<void()>& exercise) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        SetForegroundWindow(window);
        if (GetForegroundWindow() == window) {
            exercise();
            if (GetForegroundWindow() == window) return true;
        }
        Sleep(20);
    }
    return false;
}

std::vector<PostedMessage> DrainPostedExceptInput() {
    std::vector<PostedMessage> out;
    for (const PostedMessage& m : DrainPosted()) {
        const bool input = (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) ||
                           (m.message >= WM_KEYFIRST && m.message <= WM_KEYLAST) ||
                           (m.message >= WM_NCMOUSEMOVE && m.message <= WM_NCMBUTTONDBLCLK) ||
                           m.message == WM_MOUSEHOVER || m.message == WM_MOUSELEAVE;
        if (!input) out.push_back(m);
    }
    return out;
}

void PrintTo(const PostedMessage& m, std::ostream* os) {
    *os << "{window " << m.window << ", message 0x" << std::hex << m.message << ", wParam 0x" << m.wParam
        << ", lParam 0x" << m.lParam << std::dec << "}";
}

int DifferentPixels(const DibCanvas& a, const DibCanvas& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
    return n;
}

RefuseStateBlocks::RefuseStateBlocks() : saved_(g_stateBlockAlloc) {
    g_stateBlockAlloc = [](SIZE_T) -> void* { return nullptr; };
}

RefuseStateBlocks::~RefuseStateBlocks() {
    g_stateBlockAlloc = saved_;
}

TestBitmap::TestBitmap(int cellWidth, int height, const std::vector<COLORREF>& colours) {
    HDC screen = GetDC(nullptr);
    bitmap_ = CreateCompatibleBitmap(screen, cellWidth * static_cast<int>(colours.size()), height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap_);
    for (size_t k = 0; k < colours.size(); ++k) {
        HBRUSH brush = CreateSolidBrush(colours[k]);
        RECT r = {static_cast<LONG>(k) * cellWidth, 0, static_cast<LONG>(k + 1) * cellWidth, height};
        FillRect(memory, &r, brush);
        DeleteObject(brush);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TestBitmap::~TestBitmap() {
    DeleteObject(bitmap_);
}

std::vector<COLORREF> DistinctColours(int n) {
    std::vector<COLORREF> colours;
    for (int k = 0; k < n; ++k) colours.push_back(RGB(20 + 3 * k, 200 - k, 40 + 5 * (k % 40)));
    return colours;
}

long long ShownCells(const DibCanvas& line, int cells, const std::vector<COLORREF>& colours,
                     int cellWidth, int cellHeight) {
    long long code = 0;
    for (int c = 0; c < cells; ++c) {
        const COLORREF corner = line.Pixel(c * cellWidth, 0);
        const size_t k = std::find(colours.begin(), colours.end(), corner) - colours.begin();
        const bool plain = line.Pixel((c + 1) * cellWidth - 1, cellHeight - 1) == corner;
        code = code * 100 + (plain && k < colours.size() ? static_cast<long long>(k) : 99);
    }
    return code;
}

long long CellCode(const std::vector<int>& cells) {
    long long code = 0;
    for (int c : cells) code = code * 100 + c;
    return code;
}

int LeakedGdiObjects(const std::function<void()>& exercise) {
    exercise();
    const int before = FreeGdiSlots();
    exercise();
    return before - FreeGdiSlots();
}
