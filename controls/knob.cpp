// Rotary knob, class Zut_KnobClass. The left button sets the value from the pointer's angle
// about the centre (tracking on every move inside, settled on release), the wheel steps it by
// 16 within minPos..maxPos, SBM_SETPOS and SBM_GETPOS set and read it unclamped. Every change
// repaints at once, touching only the old and the new marker places; keys are the default
// procedure's.
#include "controls/knob.h"

#include "controls/knob_rules.h"
#include "controls/toolkit.h"

// 1. State block: KnobState (knob.h), eleven 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(KnobState) == 44, "the knob's block is 44 bytes");

namespace {

// 2. Constants and the class-wide variable.
constexpr char kClassName[] = "Zut_KnobClass";

RECT g_knobRect;  // shared by every knob: the client rectangle before each paint and hit test

// 3. Arithmetic: knob_rules.h (centre, orbit, marker angle and place, pointer angle, wheel).

knob_rules::Point MarkerAt(const KnobState& state, LONG value, LONG width) {
    const knob_rules::Geometry g = {state.centerX, state.centerY, state.radius};
    return knob_rules::MarkerOrigin(value, state.minPos, state.maxPos, g, width);
}

}  // namespace

// 4. Paint routine: save-under, straight on the target. No trace call.
void DrawKnob(HDC dc, const RECT&, int, KnobState* state) {
    if (!state) return;
    MemoryDC memory(dc);
    const bool firstPaint = !state->saveBitmap;
    if (firstPaint) {
        const SIZE marker = BitmapSize(state->markerFocusBitmap);
        state->saveBitmap = CreateCompatibleBitmap(dc, marker.cx, marker.cy);
    }
    const SIZE saved = BitmapSize(state->saveBitmap);
    SelectGuard keepSaved(memory, state->saveBitmap);
    if (!firstPaint) {  // the pixels under the old marker go back
        const knob_rules::Point old = MarkerAt(*state, state->drawnPos, saved.cx);
        BitBlt(dc, old.x, old.y, saved.cx, saved.cy, memory, 0, 0, SRCCOPY);
    }
    const knob_rules::Point under = MarkerAt(*state, state->pos, saved.cx);
    BitBlt(memory, 0, 0, saved.cx, saved.cy, dc, under.x, under.y, SRCCOPY);
    {
        HBITMAP marker = state->focused == 1 ? state->markerFocusBitmap : state->markerBitmap;
        const SIZE size = BitmapSize(marker);
        const knob_rules::Point at = MarkerAt(*state, state->pos, size.cx);
        SelectGuard keepMarker(memory, marker);
        BitBlt(dc, at.x, at.y, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    }
    state->drawnPos = state->pos;
}

namespace {

void Repaint(HWND window) {
    RepaintAtOnce(window, g_knobRect, DrawKnob);
}

void Notify(HWND window, WORD request) { PostPositionNotify<KnobState>(window, WM_HSCROLL, request); }

// 5. Handlers.

// Centre and radius from the client size now; a later resize keeps them.
LRESULT OnCreate(HWND window) {
    auto* state = static_cast<KnobState*>(AllocStateBlock(window, sizeof(KnobState)));
    if (!state) return -1;
    RECT client;
    GetClientRect(window, &client);
    const knob_rules::Geometry g = knob_rules::FromClientSize(client.right, client.bottom);
    state->centerX = g.centerX;
    state->centerY = g.centerY;
    state->radius = g.radius;
    return 0;
}

LRESULT OnDestroy(HWND window) {
    KnobState* state = GetStateBlock<KnobState>(window);
    if (!state) return 0;
    if (state->saveBitmap) DeleteObject(state->saveBitmap);
    FreeStateBlock(window);
    return 0;
}

LRESULT OnFocus(HWND window, LONG focused) {
    if (KnobState* state = GetStateBlock<KnobState>(window)) state->focused = focused;
    Repaint(window);
    return 0;
}

// Taken as it comes, unclamped; the parent is not told.
LRESULT OnSetPos(HWND window, LONG pos) {
    if (KnobState* state = GetStateBlock<KnobState>(window)) state->pos = pos;
    Repaint(window);
    return 0;
}

void FollowPointer(HWND window, POINT pointer) {
    KnobState* state = GetStateBlock<KnobState>(window);
    if (!state) return;
    const knob_rules::Geometry g = {state->centerX, state->centerY, state->radius};
    state->pos = knob_rules::PointerPosition(static_cast<WORD>(pointer.x), static_cast<WORD>(pointer.y), g,
                                             state->minPos, state->maxPos);
}

// Any key-state flag turns the knob (it keeps no dragging flag); outside the client area
// nothing happens. A move without flags is a hover.
LRESULT OnMouseMove(HWND window, WPARAM keys, LPARAM lParam) {
    if (keys == 0) {
        FocusOnHover(window);
        return 0;
    }
    POINT pointer;
    if (!PointerInside(window, g_knobRect, lParam, &pointer)) return 0;
    FollowPointer(window, pointer);
    Repaint(window);
    Notify(window, SB_THUMBTRACK);
    return 0;
}

// The press only turns the knob: no notification, no focus change.
LRESULT OnLeftButtonDown(HWND window, LPARAM lParam) {
    SetCapture(window);
    FollowPointer(window, PointerOf(lParam));  // the block fetched again: SetCapture sends
    Repaint(window);
    return 0;
}

// Whether or not this knob saw the press.
LRESULT OnLeftButtonUp(HWND window) {
    ReleaseCapture();
    Repaint(window);
    Notify(window, SB_THUMBPOSITION);
    return 0;
}

LRESULT OnMouseWheel(HWND window, short delta) {
    if (KnobState* state = GetStateBlock<KnobState>(window))
        state->pos = knob_rules::WheelPosition(state->pos, delta, state->minPos, state->maxPos);
    Repaint(window);
    Notify(window, SB_THUMBPOSITION);
    return 0;
}

}  // namespace

// 6. Window procedure. Keys go to the default procedure: the knob cannot be turned from the
// keyboard.
LRESULT CALLBACK KnobWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:      return OnCreate(window);
    case WM_DESTROY:     return OnDestroy(window);
    case WM_ERASEBKGND:  return 0;
    case WM_PAINT:       return PaintMessage(window, g_knobRect, DrawKnob);
    case WM_SETFOCUS:    return OnFocus(window, 1);
    case WM_KILLFOCUS:   return OnFocus(window, 0);
    case WM_GETDLGCODE:  return DLGC_WANTALLKEYS;
    case SBM_SETPOS:     return OnSetPos(window, LongOf(wParam));
    case SBM_GETPOS:     return PositionOf<KnobState>(window);
    case WM_MOUSEMOVE:   return OnMouseMove(window, wParam, lParam);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window, lParam);
    case WM_LBUTTONUP:   return OnLeftButtonUp(window);
    case WM_MOUSEWHEEL:  return OnMouseWheel(window, WheelDeltaOf(wParam));
    default:             return DefWindowProcA(window, message, wParam, lParam);
    }
}

// 7. Creation.
HWND CreateKnob(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height, HBITMAP marker,
                HBITMAP markerFocus, int minPos, int maxPos, int pos) {
    const ControlPlace place = {instance, parent, id, x, y, width, height};
    return CreateControl<KnobState>(kClassName, "", place, [&](HWND, KnobState& state) {
        state.maxPos = maxPos;
        state.minPos = minPos;
        state.pos = pos;
        state.focused = 0;
        state.markerFocusBitmap = markerFocus;
        state.markerBitmap = marker;
        state.saveBitmap = nullptr;
    });
}
