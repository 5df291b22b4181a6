// Three-state button, class Zut_State3Class. Every left press steps the state (2 back to 0),
// takes the capture and the focus, repaints at once and notifies the parent (code 0); the
// release lets the mouse go and answers the state. BM_SETCHECK / BM_GETCHECK set and read it.
#include "controls/state3.h"

#include "controls/state3_rules.h"
#include "controls/toolkit_class.h"

// 1. State block: State3State (state3.h), four 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(State3State) == 16, "the three-state button's state block is 16 bytes");

namespace {

// 2. The class-wide variable.
RECT g_state3Rect;  // shared by every three-state button: the client rectangle before each paint

// 3. Arithmetic: state3_rules.h (the next state).

HBITMAP ImageOf(const State3State& state) {
    switch (state.state) {
    case 0: return state.bitmapState0;
    case 1: return state.bitmapState1;
    case 2: return state.bitmapState2;
    default: return nullptr;  // no such image: BlitImage shows the class background
    }
}

}  // namespace

// 4. Paint routine.
void DrawState3(HDC dc, const RECT& client, const State3State* state) {
    DebugTrace("Zut_DrawState3\n");
    if (!state) return;
    BlitImage(dc, client, ImageOf(*state));
}

namespace {

void Repaint(HWND window) {
    RepaintAtOnce(window, g_state3Rect, DrawState3);
}

// 5. Handlers.

LRESULT OnGetCheck(HWND window) {
    const State3State* state = GetStateBlock<State3State>(window);
    return state ? state->state : 0;
}

// The step comes first; the capture, the focus and the repaint follow, then the notice.
LRESULT OnLeftButtonDown(HWND window) {
    if (State3State* state = GetStateBlock<State3State>(window))
        state->state = state3_rules::NextState(state->state);
    return CaptureFocusRepaintAndNotify(window, Repaint, kNoCode);
}

LRESULT OnLeftButtonUp(HWND window) {
    ReleaseCapture();
    return OnGetCheck(window);
}

// 6. Window procedure. The images are the supplier's.
LRESULT CALLBACK State3WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:       return PaintMessage(window, g_state3Rect, DrawState3);
    case BM_SETCHECK:    return StoreAndRepaint(window, &State3State::state, LongOf(wParam), g_state3Rect, DrawState3);
    case BM_GETCHECK:    return OnGetCheck(window);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window);
    case WM_LBUTTONUP:   return OnLeftButtonUp(window);
    case WM_GETOBJECT:   return AnswerGetObject(window, wParam, lParam, kState3Access);
    default:             return ToolkitDefault<State3State>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateState3(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP state0,
                  HBITMAP state1, HBITMAP state2, LONG initialState) {
    const SIZE size = BitmapSize(state0 ? state0 : state1 ? state1 : state2);
    const ControlPlace place = {instance, parent, id, x, y, size.cx, size.cy};
    return CreateControl<State3State>(kState3Class, place, [&](HWND, State3State& state) {
        state.state = initialState;
        state.bitmapState1 = state1;
        state.bitmapState2 = state2;
        state.bitmapState0 = state0;
    });
}

// 8. Registration row.
extern const ToolkitClass kState3Class = {"Zut_State3Class", State3WindowProc, nullptr, &kState3Access};
