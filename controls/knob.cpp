// Rotary knob, class Zut_KnobClass. The left button sets the value from the pointer's angle
// about the centre (tracking on every move inside, settled on release), the wheel steps it by
// 16 within minPos..maxPos, SBM_SETPOS and SBM_GETPOS set and read it unclamped. Every change
// repaints at once, touching only the old and the new marker places; keys are the default
// procedure's.
#include "controls/knob.h"

#include "controls/knob_rules.h"
#include "controls/toolkit_class.h"

// 1. State block: KnobState (knob.h), eleven 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(KnobState) == 44, "the knob's state block is 44 bytes");

namespace {

// 2. Constants and the class-wide variable.
RECT g_knobRect;  // shared by every knob: the client rectangle before each paint and hit test

// 3. Arithmetic: knob_rules.h (centre, orbit, marker angle and place, pointer angle, wheel).

knob_rules::Point MarkerAt(const KnobState& state, LONG value, LONG width) {
    const knob_rules::Geometry g = {state.centerX, state.centerY, state.radius};
    return knob_rules::MarkerOrigin(value, state.minPos, state.maxPos, g, width);
}

}  // namespace

// 4. Paint routine: save-under, straight on the target. No trace call.
void DrawKnob(HDC dc, const RECT&, KnobState* state) {
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

// The value follows the pointer's angle: on the press, and on each move inside while a flag
// is held (which also notifies).
void Track(HWND window, POINT pointer) {
    if (KnobState* state = GetStateBlock<KnobState>(window)) {
        const knob_rules::Geometry g = {state->centerX, state->centerY, state->radius};
        state->pos = knob_rules::PointerPosition(static_cast<WORD>(pointer.x), static_cast<WORD>(pointer.y), g,
                                                 state->minPos, state->maxPos);
    }
    Repaint(window);
}

void NotifyTrack(HWND window) { Notify(window, SB_THUMBTRACK); }

// The release and the wheel settle.
void Settle(HWND window) {
    Repaint(window);
    Notify(window, SB_THUMBPOSITION);
}

// 5. Handlers.

// Centre and radius from the client size now; a later resize keeps them.
LRESULT OnCreate(HWND window) {
    return CreateStateBlock<KnobState>(window, [](HWND w, KnobState& state) {
        RECT client;
        GetClientRect(w, &client);
        const knob_rules::Geometry g = knob_rules::FromClientSize(client.right, client.bottom);
        state.centerX = g.centerX;
        state.centerY = g.centerY;
        state.radius = g.radius;
    });
}

LRESULT OnDestroy(HWND window) {
    KnobState* state = GetStateBlock<KnobState>(window);
    if (state && state->saveBitmap) DeleteObject(state->saveBitmap);
    FreeStateBlock(window);  // also without a block: the control's record goes
    return 0;
}

// Outside the client area a drag does nothing.
LRESULT OnMouseMove(HWND window, WPARAM keys, LPARAM lParam) {
    DragMove(window, keys, lParam, g_knobRect, TrackThenNotify<Track, NotifyTrack>);
    return 0;
}

LRESULT OnMouseWheel(HWND window, short delta) {
    if (KnobState* state = GetStateBlock<KnobState>(window))
        state->pos = knob_rules::WheelPosition(state->pos, delta, state->minPos, state->maxPos);
    Settle(window);
    return 0;
}

// 6. Window procedure. Keys go to the default procedure: the knob cannot be turned from the
// keyboard. The press only turns the knob: no notification, no focus change. SBM_SETPOS takes
// the value as it comes, unclamped, and does not tell the parent.
LRESULT CALLBACK KnobWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:      return OnCreate(window);
    case WM_DESTROY:     return OnDestroy(window);
    case WM_PAINT:       return PaintMessage(window, g_knobRect, DrawKnob);
    case WM_SETFOCUS:    return StoreAndRepaint(window, &KnobState::focused, 1, g_knobRect, DrawKnob);
    case WM_KILLFOCUS:   return StoreAndRepaint(window, &KnobState::focused, 0, g_knobRect, DrawKnob);
    case SBM_SETPOS:     return StoreAndRepaint(window, &KnobState::pos, LongOf(wParam), g_knobRect, DrawKnob);
    case SBM_GETPOS:     return PositionOf<KnobState>(window);
    case WM_MOUSEMOVE:   return OnMouseMove(window, wParam, lParam);
    case WM_LBUTTONDOWN: return DragPress(window, lParam, Track);
    case WM_LBUTTONUP:   return DragRelease(window, Settle);
    case WM_MOUSEWHEEL:  return OnMouseWheel(window, WheelDeltaOf(wParam));
    case WM_GETOBJECT:   return AnswerGetObject(window, wParam, lParam, kKnobAccess);
    default:             return ToolkitDefault<KnobState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateKnob(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height, HBITMAP marker,
                HBITMAP markerFocus, int minPos, int maxPos, int pos) {
    const ControlPlace place = {instance, parent, id, x, y, width, height};
    return CreateControl<KnobState>(kKnobClass, place, [&](HWND, KnobState& state) {
        state.maxPos = maxPos;
        state.minPos = minPos;
        state.pos = pos;
        state.markerFocusBitmap = markerFocus;
        state.markerBitmap = marker;  // unfocused and without a save-under: zero-filled
    });
}

// 8. Registration row.
extern const ToolkitClass kKnobClass = {"Zut_KnobClass", KnobWindowProc, kPsizeCursor, &kKnobAccess};
