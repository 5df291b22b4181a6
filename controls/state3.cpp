// Three-state button, class Zut_State3Class. Every left press steps the state (2 back to 0),
// takes the capture and the focus, repaints at once and notifies the parent (code 0); the
// release lets the mouse go and answers the state. BM_SETCHECK / BM_GETCHECK set and read it.
#include "controls/state3.h"

#include "controls/state3_rules.h"
#include "controls/toolkit.h"

// 1. State block: State3State (state3.h), four 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(State3State) == 16, "the three-state block is 16 bytes");

namespace {

// 2. Constants and the class-wide variable.
constexpr char kClassName[] = "Zut_State3Class";
constexpr WORD kNoCode = 0;

RECT g_state3Rect;  // shared by every three-state button: the client rectangle before each paint

// 3. Arithmetic: state3_rules.h (the next state).

HBITMAP ImageOf(const State3State& block) {
    switch (block.state) {
    case 0: return block.bitmapState0;
    case 1: return block.bitmapState1;
    case 2: return block.bitmapState2;
    default: return nullptr;  // no such image: BlitImage shows the class background
    }
}

}  // namespace

// 4. Paint routine.
void DrawState3(HDC dc, const RECT& client, int, const State3State* block) {
    DebugTrace("Zut_DrawState3\n");
    if (!block) return;
    BlitImage(dc, client, ImageOf(*block));
}

namespace {

void Repaint(HWND window) {
    RepaintAtOnce(window, g_state3Rect, DrawState3);
}

// 5. Handlers.

LRESULT OnSetCheck(HWND window, LONG state) {
    if (State3State* block = GetStateBlock<State3State>(window)) block->state = state;
    Repaint(window);
    return 0;
}

LRESULT OnGetCheck(HWND window) {
    const State3State* block = GetStateBlock<State3State>(window);
    return block ? block->state : 0;
}

// The step comes first; the capture, the focus and the repaint follow, then the notice.
LRESULT OnLeftButtonDown(HWND window) {
    if (State3State* block = GetStateBlock<State3State>(window))
        block->state = state3_rules::NextState(block->state);
    SetCapture(window);
    SetFocus(window);
    Repaint(window);
    PostCommandNotify(window, kNoCode);
    return 0;
}

LRESULT OnLeftButtonUp(HWND window) {
    ReleaseCapture();
    return OnGetCheck(window);
}

}  // namespace

// 6. Window procedure.
LRESULT CALLBACK State3WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:      return CreateStateBlock<State3State>(window);
    case WM_DESTROY:     return DestroyStateBlock(window);  // the images are the supplier's
    case WM_ERASEBKGND:  return 0;
    case WM_PAINT:       return PaintMessage(window, g_state3Rect, DrawState3);
    case WM_GETDLGCODE:  return DLGC_WANTALLKEYS;
    case BM_SETCHECK:    return OnSetCheck(window, LongOf(wParam));
    case BM_GETCHECK:    return OnGetCheck(window);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window);
    case WM_LBUTTONUP:   return OnLeftButtonUp(window);
    default:             return DefWindowProcA(window, message, wParam, lParam);
    }
}

// 7. Creation.
HWND CreateState3(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP state0,
                  HBITMAP state1, HBITMAP state2, LONG state) {
    const SIZE size = BitmapSize(state0 ? state0 : state1 ? state1 : state2);
    const ControlPlace place = {instance, parent, id, x, y, size.cx, size.cy};
    return CreateControl<State3State>(kClassName, "", place, [&](HWND, State3State& block) {
        block.state = state;
        block.bitmapState1 = state1;
        block.bitmapState2 = state2;
        block.bitmapState0 = state0;
    });
}
