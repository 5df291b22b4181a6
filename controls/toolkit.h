// The bitmap control toolkit's core: class registration, the bitmap cache, the shared font,
// the trace hook, and what every control class does the same way (state blocks, repainting,
// creation, notifications, pointer and wheel unpacking, GDI guards).
#pragma once

#include <windows.h>

// The one toolkit instance handle: stored by RegisterControlClasses and by every class's
// registration; used by the unregistrations and by classes that load bitmaps on their own.
extern HINSTANCE g_toolkitInstance;

// The toolkit's one text font, Arial 14, weight 400; null before registration.
extern HFONT SharedFont;

void RegisterControlClasses(HINSTANCE instance);
void UnregisterControlClasses();

// Bitmaps by resource name (or integer identifier, MAKEINTRESOURCEA), loaded once and shared;
// the cache owns every handle it returns.
HBITMAP LoadCachedBitmap(HINSTANCE instance, LPCSTR name);
void FreeCachedBitmaps();
// Records a bitmap made elsewhere under a name (or integer identifier) as though the cache had
// loaded it: later requests for the name answer it and FreeCachedBitmaps deletes it. False,
// with the bitmap still the caller's, when the name is in the table already or the table
// cannot take it. For a host that draws a class's fixed images itself (the on/off switch asks
// for identifiers 0x81 to 0x84 that a module may not hold).
bool PutCachedBitmap(LPCSTR name, HBITMAP bitmap);

// The paint trace hook: takes a wsprintfA format and its arguments and discards them.
void DebugTrace(LPCSTR format, ...);

// --- Class registration ------------------------------------------------------------------

// One row of the class table: a class's name, window procedure and cursor (null for the
// system arrow, else the name of one of the program's cursor resources, "psize"). Rows stand
// in registration order; a new class is one more row.
struct ToolkitClass {
    const char* name;
    WNDPROC proc;
    const char* cursor;
};
const ToolkitClass* ToolkitClasses(int* count);
// The unregistration order, as indexes into ToolkitClasses().
const int* ToolkitUnregisterOrder(int* count);

// A class's registration: stores the instance as the toolkit instance handle, fills the
// attributes every toolkit class shares (CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW, 4 window
// extra bytes, COLOR_WINDOW + 1, the row's cursor) and registers it. Its unregistration uses
// the toolkit instance handle.
ATOM RegisterToolkitClass(HINSTANCE instance, const ToolkitClass& row);
BOOL UnregisterToolkitClass(const ToolkitClass& row);

// The window procedures of the fifteen classes, each in its class's own source.
LRESULT CALLBACK ButtonWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK PopMenuWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK OnOffWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TogleWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK State3WindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK VSWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK HSWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK BmpListWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK DigitWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK BmpTextWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK BmpGageWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK KnobWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK DigitExWindowProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK SmallTextWindowProc(HWND, UINT, WPARAM, LPARAM);

// --- State blocks ------------------------------------------------------------------------

// Plain process-heap memory whose pointer lives in GWLP_USERDATA. Blocks are zero-filled at
// allocation, also for the classes that do not clear theirs: a field nobody has set yet then
// reads as 0 instead of as whatever the heap held. g_stateBlockAlloc is the allocator (a test
// may swap it to refuse a creation).
extern void* (*g_stateBlockAlloc)(SIZE_T size);
void* AllocStateBlock(HWND window, SIZE_T size);  // null when the allocation failed
void FreeStateBlock(HWND window);                 // frees the block, stores 0
template <class T>
inline T* GetStateBlock(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
// WM_CREATE of a class whose block needs nothing more: allocate, or refuse the creation.
template <class T>
inline LRESULT CreateStateBlock(HWND window) {
    return AllocStateBlock(window, sizeof(T)) ? 0 : -1;
}
// SBM_GETPOS of a class whose block keeps a pos: the position, 0 without a block.
template <class T>
inline LRESULT PositionOf(HWND window) {
    const T* state = GetStateBlock<T>(window);
    return state ? state->pos : 0;
}
// WM_DESTROY of a class that owns nothing beyond its block.
inline LRESULT DestroyStateBlock(HWND window) {
    FreeStateBlock(window);
    return 0;
}

// --- Creation ----------------------------------------------------------------------------

// Where a creation function puts its control: the child window's instance, parent,
// identifier (as the menu parameter), place and size.
struct ControlPlace {
    HINSTANCE instance;
    HWND parent;
    int id;
    int x, y, width, height;
};

// The creation skeleton: the control is created hidden as a child (WS_CHILD only), fill
// writes its state block (it is not called when the class refused the block), then it is
// shown with SW_SHOWNORMAL. Null when the window was refused.
HWND CreateHiddenChild(LPCSTR className, LPCSTR windowName, const ControlPlace& place);
template <class State, class Fill>
HWND CreateControl(LPCSTR className, LPCSTR windowName, const ControlPlace& place, Fill fill) {
    HWND window = CreateHiddenChild(className, windowName, place);
    if (!window) return nullptr;
    if (State* state = GetStateBlock<State>(window)) fill(window, *state);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

// --- Notifications, posted to GetParent(control) -------------------------------------------

// WM_COMMAND: wParam = low 16 bits of the control id | code << 16, lParam = low 16 bits of
// the control's handle.
void PostCommandNotify(HWND control, WORD code);
// WM_COMMAND with the id whole, as GetWindowLongA(GWL_ID) returns it (its high word stands
// where the code would), lParam = low 16 bits of the control's handle.
void PostCommandWholeId(HWND control);
// WM_VSCROLL / WM_HSCROLL: wParam = request | low 16 bits of position << 16, lParam = low 16
// bits of the control's handle.
void PostScrollNotify(HWND control, UINT message, WORD request, int position);
// The scroll notification of a class whose block keeps a pos; nothing without a block.
template <class T>
inline void PostPositionNotify(HWND window, UINT message, WORD request) {
    if (const T* state = GetStateBlock<T>(window)) PostScrollNotify(window, message, request, state->pos);
}

// Focus on hover: the control takes the focus when its parent is the foreground window.
void FocusOnHover(HWND control);

// --- Pointer and wheel -------------------------------------------------------------------

// The pointer of a mouse message: x the low word, y the high word, both unsigned 16-bit, so a
// pointer left of or above the window (possible under capture) counts as far right or below.
inline POINT PointerOf(LPARAM lParam) {
    POINT p;
    p.x = LOWORD(lParam);
    p.y = HIWORD(lParam);
    return p;
}
// A 32-bit value in wParam (a position, a state, a flag): its low 32 bits, signed, as a 32-bit
// program reads its whole wParam.
inline LONG LongOf(WPARAM wParam) {
    return static_cast<LONG>(static_cast<DWORD>(wParam));
}
// The wheel delta: the high word of wParam, signed 16-bit.
inline short WheelDeltaOf(WPARAM wParam) {
    return static_cast<short>(HIWORD(wParam));
}
// The hit test: the client rectangle into rect (a class-wide one), the pointer into point
// (when given), then PtInRect.
bool PointerInside(HWND window, RECT& rect, LPARAM lParam, POINT* point = nullptr);
// The drag-out rule of the momentary classes (push button, on/off switch): true for a move
// with a button or key flag, while the class's draggedOut is not 1, that finds the pointer
// outside the pressed control (hit-tested into the class-wide rect and point). The caller
// then shows its released image and sets draggedOut.
inline bool FirstMoveOutside(HWND window, WPARAM keys, LPARAM lParam, LONG draggedOut, RECT& rect,
                             POINT& point) {
    return keys != 0 && draggedOut != 1 && !PointerInside(window, rect, lParam, &point);
}

// --- GDI guards: every object created or selected is restored and deleted on every path ----

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

// Selects an object and selects back what it replaced. A null object selects nothing.
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

// An off-screen composition: a memory DC compatible with the target holding a bitmap
// compatible with the target, width x height; the bitmap is selected out, then deleted, then
// the DC deleted.
class Composition {
public:
    Composition(HDC target, int width, int height)
        : dc_(target), bitmap_(CreateCompatibleBitmap(target, width, height)), select_(dc_, bitmap_) {}
    operator HDC() const { return dc_; }
private:
    MemoryDC dc_;
    OwnedGdi<HBITMAP> bitmap_;
    SelectGuard select_;
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

// BeginPaint / EndPaint; EndPaint only after a BeginPaint that gave a DC.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), ps_(), dc_(BeginPaint(window, &ps_)) {}
    ~PaintDC() { if (dc_) EndPaint(window_, &ps_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    operator HDC() const { return dc_; }
private:
    HWND window_;
    PAINTSTRUCT ps_;
    HDC dc_;
};

// --- Painting ------------------------------------------------------------------------------

// Every class's paint routine has this shape: the target DC (any DC: the window's, the paint
// DC, a test's memory DC), the client rectangle, the class's mode or trace flag (ignored by
// the classes that have none), and the state block (null draws nothing).
template <class State>
using PaintRoutine = void (*)(HDC dc, const RECT& client, int flag, State* state);

// Repaint at once: the window's DC, the client rectangle into rect (the class-wide one, where
// the class has one), the paint routine, ReleaseDC. Nothing is invalidated.
template <class State>
void RepaintAtOnce(HWND window, RECT& rect, PaintRoutine<State> paint, int flag = 0) {
    WindowDC dc(window);
    GetClientRect(window, &rect);
    paint(dc, rect, flag, GetStateBlock<State>(window));
}

// WM_PAINT: the client rectangle into rect, BeginPaint, the paint routine on the paint DC,
// EndPaint.
template <class State>
LRESULT PaintMessage(HWND window, RECT& rect, PaintRoutine<State> paint, int flag = 0) {
    GetClientRect(window, &rect);
    PaintDC dc(window);
    if (dc) paint(dc, rect, flag, GetStateBlock<State>(window));
    return 0;
}

// A line of count cells of width x height composed off-screen from a strip whose cell k
// stands at x = k * width, then copied to the DC's origin: the strip's memory DC, the
// composition, one copy per cell, the copy out; every object restored and deleted.
void DrawCellLine(HDC dc, HBITMAP strip, const int* cells, int count, int width, int height);

// The size of a bitmap (0 x 0 for a null or unreadable one).
SIZE BitmapSize(HBITMAP bitmap);

// The image copy of the bitmap classes: image from its origin to the DC's origin, client's
// right x bottom, SRCCOPY, through a memory DC that is restored and deleted. Where the image
// does not reach (all of the rectangle for a null image) the class background, COLOR_WINDOW,
// is filled in, instead of whatever an empty memory DC or the pixels beneath would show.
void BlitImage(HDC dc, const RECT& client, HBITMAP image);
