// The bitmap control toolkit's core: class registration, the bitmap cache, the shared font,
// the trace hook and the conventions every control class shares.
#pragma once

#include <windows.h>

// The one toolkit instance handle: stored by RegisterControlClasses and by every class's own
// registration function; used by the unregistration functions.
extern HINSTANCE g_toolkitInstance;

// The toolkit's one text font, Arial 14, weight 400; null before registration.
extern HFONT SharedFont;

void RegisterControlClasses(HINSTANCE instance);
void UnregisterControlClasses();

// Bitmaps by resource name (or integer identifier, MAKEINTRESOURCEA), loaded once and shared;
// the cache owns every handle it returns.
HBITMAP LoadCachedBitmap(HINSTANCE instance, LPCSTR name);
void FreeCachedBitmaps();

// The paint trace hook: takes a wsprintfA format and its arguments and discards them.
void DebugTrace(LPCSTR format, ...);

// One row of the class table: a class's name with its registration and unregistration
// functions. Rows stand in registration order.
struct ToolkitClass {
    const char* name;
    ATOM (*registerClass)(HINSTANCE instance);
    BOOL (*unregisterClass)();
};
const ToolkitClass* ToolkitClasses(int* count);
// The unregistration order, as indexes into ToolkitClasses().
const int* ToolkitUnregisterOrder(int* count);

// Fills the attributes every toolkit class shares (CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW,
// 4 window extra bytes, COLOR_WINDOW + 1) and registers the class. cursor is null for the
// system arrow, or the name of one of the program's cursor resources ("psize").
ATOM RegisterToolkitClass(HINSTANCE instance, LPCSTR className, WNDPROC proc, LPCSTR cursor);
BOOL UnregisterToolkitClass(LPCSTR className);

// State blocks: plain zero-filled process-heap memory whose pointer lives in GWLP_USERDATA.
// g_stateBlockAlloc is the allocator (a test may swap it to refuse a creation).
extern void* (*g_stateBlockAlloc)(SIZE_T size);
void* AllocStateBlock(HWND window, SIZE_T size);  // null when the allocation failed
void FreeStateBlock(HWND window);                 // frees the block, stores 0
template <class T>
inline T* GetStateBlock(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Notifications, posted to GetParent(control).
// WM_COMMAND: wParam = low 16 bits of the control id | code << 16, lParam = low 16 bits of
// the control's handle.
void PostCommandNotify(HWND control, WORD code);
// WM_VSCROLL / WM_HSCROLL: wParam = request | low 16 bits of position << 16, lParam = low 16
// bits of the control's handle.
void PostScrollNotify(HWND control, UINT message, WORD request, int position);

// Focus on hover: the control takes the focus when its parent is the foreground window.
void FocusOnHover(HWND control);

// GDI guards: every object created or selected is restored and deleted on every path.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { if (dc_) DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    operator HDC() const { return dc_; }
private:
    HDC dc_;
};

class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectGuard() { if (old_) SelectObject(dc_, old_); }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
private:
    HDC dc_;
    HGDIOBJ old_;
};

template <class H>
class OwnedGdi {
public:
    explicit OwnedGdi(H handle) : handle_(handle) {}
    ~OwnedGdi() { if (handle_) DeleteObject(handle_); }
    OwnedGdi(const OwnedGdi&) = delete;
    OwnedGdi& operator=(const OwnedGdi&) = delete;
    operator H() const { return handle_; }
private:
    H handle_;
};

// The window's own DC for a repaint at once, released on every path.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { if (dc_) ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return dc_; }
private:
    HWND window_;
    HDC dc_;
};

class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
    ~PaintDC() { EndPaint(window_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    operator HDC() const { return dc_; }
private:
    HWND window_;
    PAINTSTRUCT ps_;
    HDC dc_;
};
