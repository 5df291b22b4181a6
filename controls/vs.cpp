// Vertical slider, class Zut_VSClass. The left button drags the thumb (tracking on every move,
// settled on release), the arrow keys and the wheel step it within 0..maxPos, SBM_SETPOS and
// SBM_GETPOS set and read it unclamped. Every change repaints at once; user changes post
// WM_VSCROLL; every new position, also one set by SBM_SETPOS, is passed on to the buddy.
#include "controls/vs.h"

#include "controls/toolkit_class.h"
#include "controls/vs_rules.h"

// 1. State block: VSState (vs.h), eleven 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(VSState) == 44, "the vertical slider's state block is 44 bytes");

namespace {

// 2. Constants and the class-wide variables.
RECT g_vsRect;  // shared by every vertical slider: the client rectangle before each paint and hit test

// The sliders passing their position on right now, innermost first (links on the stack). An
// SBM_SETPOS that comes back round a buddy chain to one of them is taken but not passed on
// again, so a chain that leads back ends instead of recursing.
struct PassingOn {
    HWND window;
    const PassingOn* outer;
};
const PassingOn* g_passingOn = nullptr;

// 3. Arithmetic: vs_rules.h (pointer mapping, steps and clamp, thumb place).

}  // namespace

// 4. Paint routine.
void DrawVS(HDC dc, const RECT& client, VSTrace trace, const VSState* state) {
    if (!state) return;
    DebugTrace("Zut_DrawVS %d\n", trace);
    const SIZE back = BitmapSize(state->backBitmap);
    Composition compose(dc, back.cx, back.cy);
    MemoryDC source(dc);
    SelectGuard keepSource(source, state->backBitmap);
    BitBlt(compose, 0, 0, back.cx, back.cy, source, 0, 0, SRCCOPY);

    HBITMAP thumb = state->focused == 1 ? state->thumbFocusBitmap : state->thumbBitmap;
    SelectGuard keepThumb(source, thumb);
    const SIZE size = BitmapSize(thumb);
    const vs_rules::Point at =
        vs_rules::ThumbOrigin(state->pos, state->trackBottom, state->maxPos, back.cx, size.cx, size.cy);
    BitBlt(compose, at.x, at.y, size.cx, size.cy, source, 0, 0, SRCCOPY);
    BitBlt(dc, 0, 0, client.right, client.bottom, compose, 0, 0, SRCCOPY);
}

namespace {

void Repaint(HWND window, VSTrace trace) {
    RepaintAtOnce(window, g_vsRect, DrawVS, trace);
}

void Notify(HWND window, WORD request) { PostPositionNotify<VSState>(window, WM_VSCROLL, request); }

bool IsPassingOn(HWND window) {
    for (const PassingOn* p = g_passingOn; p; p = p->outer)
        if (p->window == window) return true;
    return false;
}

// The buddy, when there is one, gets SBM_SETPOS with the position.
void PassOn(HWND window) {
    const VSState* state = GetStateBlock<VSState>(window);
    if (!state || !state->buddy) return;
    const PassingOn self = {window, g_passingOn};
    g_passingOn = &self;
    SendMessageA(state->buddy, SBM_SETPOS, static_cast<WPARAM>(state->pos), 0);
    g_passingOn = self.outer;
}

// 5. Handlers.

// Taken as it comes, unclamped; the parent is not told; passed on unless it came back round.
LRESULT OnSetPos(HWND window, LONG pos) {
    if (VSState* state = GetStateBlock<VSState>(window)) state->pos = pos;
    Repaint(window, kVSQuietTrace);
    if (!IsPassingOn(window)) PassOn(window);
    return 0;
}

// Keys and the wheel end here: store the (clamped) position, repaint, notify with
// SB_THUMBPOSITION, pass on.
LRESULT StoreSettleAndPassOn(HWND window, LONG pos) {
    if (VSState* state = GetStateBlock<VSState>(window)) state->pos = pos;
    Repaint(window, kVSQuietTrace);
    Notify(window, SB_THUMBPOSITION);
    PassOn(window);
    return 0;
}

LRESULT OnKeyDown(HWND window, UINT key) {
    const VSState* state = GetStateBlock<VSState>(window);
    return state ? StoreSettleAndPassOn(window, vs_rules::KeyPosition(state->pos, key, state->step, state->maxPos)) : 0;
}

LRESULT OnMouseWheel(HWND window, short delta) {
    const VSState* state = GetStateBlock<VSState>(window);
    return state ? StoreSettleAndPassOn(window, vs_rules::WheelPosition(state->pos, delta, state->step, state->maxPos)) : 0;
}

// The thumb follows the pointer: on the press (no notification, no pass-on), and on each move
// inside while a flag is held (which also notifies).
void Track(HWND window, POINT pointer) {
    if (VSState* state = GetStateBlock<VSState>(window))
        state->pos = vs_rules::PointerPosition(static_cast<WORD>(pointer.y), state->trackBottom, state->trackTop,
                                               state->maxPos);
    Repaint(window, kVSActiveTrace);
}

void NotifyTrack(HWND window) { Notify(window, SB_THUMBTRACK); }

// Every move with a flag passes on, inside or not.
LRESULT OnMouseMove(HWND window, WPARAM keys, LPARAM lParam) {
    if (DragMove(window, keys, lParam, g_vsRect, TrackThenNotify<Track, NotifyTrack>)) PassOn(window);
    return 0;
}

// Whether or not this slider saw the press. Unlike the horizontal slider and the knob, the
// vertical slider lets the mouse go last, after the repaint, the notice and the pass-on.
LRESULT OnLeftButtonUp(HWND window) {
    Repaint(window, kVSQuietTrace);
    Notify(window, SB_THUMBPOSITION);
    PassOn(window);
    ReleaseCapture();
    return 0;
}

// 6. Window procedure. The images are the supplier's.
LRESULT CALLBACK VSWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:       return PaintMessage(window, g_vsRect, DrawVS, kVSQuietTrace);
    case SBM_SETPOS:     return OnSetPos(window, LongOf(wParam));
    case SBM_GETPOS:     return PositionOf<VSState>(window);
    case WM_SETFOCUS:    return StoreAndRepaint(window, &VSState::focused, 1, g_vsRect, DrawVS, kVSActiveTrace);
    case WM_KILLFOCUS:   return StoreAndRepaint(window, &VSState::focused, 0, g_vsRect, DrawVS, kVSQuietTrace);
    case WM_KEYDOWN:     return OnKeyDown(window, static_cast<UINT>(wParam));
    case WM_MOUSEWHEEL:  return OnMouseWheel(window, WheelDeltaOf(wParam));
    case WM_LBUTTONDOWN: return DragPress(window, lParam, Track);
    case WM_MOUSEMOVE:   return OnMouseMove(window, wParam, lParam);
    case WM_LBUTTONUP:   return OnLeftButtonUp(window);
    case WM_GETOBJECT:   return AnswerGetObject(window, wParam, lParam, kVSAccess);
    default:             return ToolkitDefault<VSState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateVS(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP back, HBITMAP thumb,
              HBITMAP thumbFocus, int trackTop, int trackBottom, int maxPos, int step, HWND buddy) {
    const SIZE size = BitmapSize(back);
    const ControlPlace place = {instance, parent, id, x, y, size.cx, size.cy};
    return CreateControl<VSState>(kVSClass, place, [&](HWND, VSState& state) {
        // The whole state block, in field order: at position 0, unfocused.
        state = VSState{trackBottom, trackTop, maxPos, 0, 0, 0, step, back, thumbFocus, thumb, buddy};
    });
}

// 8. Registration row.
extern const ToolkitClass kVSClass = {"Zut_VSClass", VSWindowProc, kPsizeCursor, &kVSAccess};
