// The kit for writing a toolkit class: the registration row, the state block, creation,
// notifications, message unpacking, repainting, and the handler shapes several classes share
// (each takes the class's own rule as a parameter). toolkit.cpp says how to add a class.
#pragma once

#include <windows.h>

#include "controls/accessible.h"
#include "controls/gdi_guards.h"
#include "controls/toolkit.h"

// The one toolkit instance handle: stored by RegisterControlClasses and by every class's
// registration; used by the unregistrations and by classes that load bitmaps on their own.
extern HINSTANCE g_toolkitInstance;

// The paint trace hook: takes a wsprintfA format and its arguments and discards them.
void DebugTrace(LPCSTR format, ...);

// --- Class registration ------------------------------------------------------------------

// A class's registration row: its name, window procedure, cursor (null for the system arrow,
// else the name of one of the program's cursor resources) and what it tells screen readers.
// Each class's source defines its own; toolkit.cpp lists them in registration and in
// unregistration order.
struct ToolkitClass {
    const char* name;
    WNDPROC proc;
    const char* cursor;
    const AccessibleClass* access;
};
constexpr char kPsizeCursor[] = "psize";

extern const ToolkitClass kButtonClass, kStaticClass, kPopMenuClass, kOnOffClass, kTogleClass,
    kState3Class, kVSClass, kHSClass, kBmpListClass, kDigitClass, kBmpTextClass, kBmpGageClass,
    kKnobClass, kDigitExClass, kSmallTextClass;

// The rows in registration order, and in unregistration order: the same rows.
const ToolkitClass* const* ToolkitClasses(int* count);
const ToolkitClass* const* ToolkitUnregisterOrder(int* count);

// A class's registration: stores the instance as the toolkit instance handle, fills the
// attributes every toolkit class shares (CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW, 4 window
// extra bytes, COLOR_WINDOW + 1, the row's cursor) and registers it. Its unregistration uses
// the toolkit instance handle.
ATOM RegisterToolkitClass(HINSTANCE instance, const ToolkitClass& row);
BOOL UnregisterToolkitClass(const ToolkitClass& row);

// --- State blocks ------------------------------------------------------------------------

// Plain process-heap memory whose pointer lives in GWLP_USERDATA. AllocStateBlock zero-fills
// every block itself, also for the classes that do not clear theirs: a field nobody has set
// yet then reads as 0 instead of as whatever the heap held. g_stateBlockAlloc is the allocator
// (a test may swap it to refuse a creation); it must hand out process-heap memory, which
// FreeStateBlock gives back.
extern void* (*g_stateBlockAlloc)(SIZE_T size);
void* AllocStateBlock(HWND window, SIZE_T size);  // null when the allocation failed
void FreeStateBlock(HWND window);                 // frees the state block, stores 0
template <class T>
inline T* GetStateBlock(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
// WM_CREATE of a class whose state block needs nothing more: allocate, or refuse the window.
template <class T>
inline LRESULT CreateStateBlock(HWND window) {
    return AllocStateBlock(window, sizeof(T)) ? 0 : -1;
}
// WM_CREATE of a class that sets first values: allocate (or refuse the window), then
// init(window, state).
template <class T, class Init>
inline LRESULT CreateStateBlock(HWND window, Init init) {
    T* state = static_cast<T*>(AllocStateBlock(window, sizeof(T)));
    if (!state) return -1;
    init(window, *state);
    return 0;
}
// SBM_GETPOS of a class whose state block keeps a pos: the position, 0 without one.
template <class T>
inline LRESULT PositionOf(HWND window) {
    const T* state = GetStateBlock<T>(window);
    return state ? state->pos : 0;
}
// WM_DESTROY of a class that owns nothing beyond its state block.
inline LRESULT DestroyStateBlock(HWND window) {
    FreeStateBlock(window);
    return 0;
}

// What every class answers alike, for the messages its own switch does not take: WM_CREATE
// allocates a zero-filled State (or refuses the window), WM_DESTROY frees it, WM_ERASEBKGND
// erases nothing (0), WM_GETDLGCODE wants all keys; everything else goes to DefWindowProcA.
template <class State>
LRESULT ToolkitDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:     return CreateStateBlock<State>(window);
    case WM_DESTROY:    return DestroyStateBlock(window);
    case WM_ERASEBKGND: return 0;
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    default:            return DefWindowProcA(window, message, wParam, lParam);
    }
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
// writes its state block (it is not called when the class refused one), then it is
// shown with SW_SHOWNORMAL. Null when the window was refused.
HWND CreateHiddenChild(LPCSTR className, const ControlPlace& place);
template <class State, class Fill>
HWND CreateControl(const ToolkitClass& row, const ControlPlace& place, Fill fill) {
    HWND window = CreateHiddenChild(row.name, place);
    if (!window) return nullptr;
    if (State* state = GetStateBlock<State>(window)) fill(window, *state);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

// --- Notifications, posted to GetParent(control) -------------------------------------------

// The notification codes: none, the left mouse button, the right mouse button.
constexpr WORD kNoCode = 0;
constexpr WORD kLeftButtonCode = 1;
constexpr WORD kRightButtonCode = 2;

// WM_COMMAND: wParam = low 16 bits of the control id | code << 16, lParam = low 16 bits of
// the control's handle.
void PostCommandNotify(HWND control, WORD code);
// WM_RBUTTONUP of the classes that only pass the right button on: code 2, answer 0.
inline LRESULT NotifyRightButton(HWND control) {
    PostCommandNotify(control, kRightButtonCode);
    return 0;
}
// WM_COMMAND with the id whole, as GetWindowLongA(GWL_ID) returns it (its high word stands
// where the code would), lParam = low 16 bits of the control's handle.
void PostCommandWholeId(HWND control);
// WM_VSCROLL / WM_HSCROLL: wParam = request | low 16 bits of position << 16, lParam = low 16
// bits of the control's handle.
void PostScrollNotify(HWND control, UINT message, WORD request, int position);
// The scroll notification of a class whose state block keeps a pos; nothing without one.
template <class T>
inline void PostPositionNotify(HWND window, UINT message, WORD request) {
    if (const T* state = GetStateBlock<T>(window)) PostScrollNotify(window, message, request, state->pos);
}

// Focus on hover: the control takes the focus when its parent is the foreground window.
void FocusOnHover(HWND control);
inline LRESULT OnHover(HWND control) {
    FocusOnHover(control);
    return 0;
}

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

// The momentary classes (push button, on/off switch), with their class-wide drag flag,
// rectangle and point. WM_MOUSEMOVE: the first move with a button or key flag, while
// draggedOut is not 1, that finds the pointer outside the pressed control (hit-tested into
// rect and point) shows the released look and sets draggedOut.
template <class Show>
LRESULT MomentaryMove(HWND window, WPARAM keys, LPARAM lParam, LONG& draggedOut, RECT& rect, POINT& point,
                      Show showReleased) {
    if (keys != 0 && draggedOut != 1 && !PointerInside(window, rect, lParam, &point)) {
        showReleased();
        draggedOut = 1;
    }
    return 0;
}
// The press: capture, the pressed look at once, focus, the class's own press (then), and the
// drag flag cleared last.
template <class Show, class Then>
LRESULT MomentaryPress(HWND window, LONG& draggedOut, Show showPressed, Then then) {
    SetCapture(window);
    showPressed();
    SetFocus(window);
    then();
    draggedOut = 0;
    return 0;
}

// The stepping buttons (toggle, three-state button), after the class's own step on the left
// press: capture, focus, the repaint at once, then the notice with the class's code.
inline LRESULT CaptureFocusRepaintAndNotify(HWND window, void (*repaint)(HWND), WORD code) {
    SetCapture(window);
    SetFocus(window);
    repaint(window);
    PostCommandNotify(window, code);
    return 0;
}

// The dragging classes' drag: track(window, pointer), then notify(window).
template <void (*track)(HWND, POINT), void (*notify)(HWND)>
void TrackThenNotify(HWND window, POINT pointer) {
    track(window, pointer);
    notify(window);
}

// The dragging classes (the sliders, the knob) keep no drag flag. WM_MOUSEMOVE without flags
// is a hover (focus on hover) and answers false; with any flag it is a drag and answers true,
// and drag(window, pointer) runs when the pointer is inside (hit-tested into the class-wide
// rect).
inline bool DragMove(HWND window, WPARAM keys, LPARAM lParam, RECT& rect, void (*drag)(HWND, POINT)) {
    if (keys == 0) {
        FocusOnHover(window);
        return false;
    }
    POINT pointer;
    if (PointerInside(window, rect, lParam, &pointer)) drag(window, pointer);
    return true;
}
// The left press: capture, then track(window, pointer), which fetches the state block afresh
// (SetCapture sends messages).
inline LRESULT DragPress(HWND window, LPARAM lParam, void (*track)(HWND, POINT)) {
    SetCapture(window);
    track(window, PointerOf(lParam));
    return 0;
}
// The left release, whether or not this control saw the press: the mouse goes, then
// settle(window).
inline LRESULT DragRelease(HWND window, void (*settle)(HWND)) {
    ReleaseCapture();
    settle(window);
    return 0;
}

// --- Painting ------------------------------------------------------------------------------

// A class's paint routine draws, into any DC (the window's, the paint DC, a test's memory
// DC), from the client rectangle and the state block (null draws nothing); a class whose look
// depends on more than its state block takes one argument of its own before it (the push
// button's image, the switch's look, the toggle's check state, a slider's trace flag).
template <class T>
struct Exactly {
    using type = T;
};

// Repaint at once: the window's DC, the client rectangle into rect (the class-wide one, where
// the class has one), the paint routine, ReleaseDC. Nothing is invalidated. Then screen
// readers hear of what changed (NoteShown).
template <class State>
void RepaintAtOnce(HWND window, RECT& rect, void (*paint)(HDC, const RECT&, State*)) {
    {
        WindowDC dc(window);
        GetClientRect(window, &rect);
        paint(dc, rect, GetStateBlock<State>(window));
    }
    NoteShown(window);
}
template <class State, class Arg>
void RepaintAtOnce(HWND window, RECT& rect, void (*paint)(HDC, const RECT&, Arg, State*),
                   typename Exactly<Arg>::type arg) {
    {
        WindowDC dc(window);
        GetClientRect(window, &rect);
        paint(dc, rect, arg, GetStateBlock<State>(window));
    }
    NoteShown(window);
}

// A message that stores one field of the state block (when there is one) and then repaints at
// once (with the paint routine's own argument, where it takes one).
template <class State, class Field, class Paint, class... Arg>
LRESULT StoreAndRepaint(HWND window, Field State::*field, typename Exactly<Field>::type value, RECT& rect,
                        Paint paint, Arg... arg) {
    if (State* state = GetStateBlock<State>(window)) state->*field = value;
    RepaintAtOnce(window, rect, paint, arg...);
    return 0;
}

// WM_PAINT: the client rectangle into rect, BeginPaint, the paint routine on the paint DC,
// EndPaint; then NoteShown.
template <class State>
LRESULT PaintMessage(HWND window, RECT& rect, void (*paint)(HDC, const RECT&, State*)) {
    GetClientRect(window, &rect);
    {
        PaintDC dc(window);
        if (dc) paint(dc, rect, GetStateBlock<State>(window));
    }
    NoteShown(window);
    return 0;
}
template <class State, class Arg>
LRESULT PaintMessage(HWND window, RECT& rect, void (*paint)(HDC, const RECT&, Arg, State*),
                     typename Exactly<Arg>::type arg) {
    GetClientRect(window, &rect);
    {
        PaintDC dc(window);
        if (dc) paint(dc, rect, arg, GetStateBlock<State>(window));
    }
    NoteShown(window);
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
// The class background filled below an image drawn at (left, 0): its columns (within
// client's right) from its bottom to client's bottom.
void FillBelowImage(HDC dc, const RECT& client, int left, SIZE image);
