// On/off switch, class Zut_OnOffClass. A left press shows the pressed image of the current
// state at once, notifies the parent (the whole id, no code) and flips the state; leaving the
// switch with a button held shows the released image at once; the release shows the released
// image of the new state. BM_SETCHECK / BM_GETCHECK set and read the state.
#include "controls/onoff.h"

#include "controls/check_rules.h"
#include "controls/toolkit_class.h"

// 1. State block: OnOffState (onoff.h), one 32-bit field.
static_assert(sizeof(OnOffState) == 4, "the switch's state block is 4 bytes");

namespace {

// 2. Constants and the class-wide variables, shared by every switch.
// The four images, borrowed from the bitmap cache; fetched again at every WM_CREATE.
HBITMAP g_pressedOffBitmap;   // 0x81
HBITMAP g_releasedOffBitmap;  // 0x82
HBITMAP g_releasedOnBitmap;   // 0x83
HBITMAP g_pressedOnBitmap;    // 0x84
LONG g_draggedOut;   // 1 once the pointer was seen outside the pressed switch; the switch's own
RECT g_onOffRect;    // the client rectangle, before each paint and each hit test
POINT g_onOffPoint;  // the pointer of the last hit-tested move

// 3. The image: a check state of 0 is off, any other on. The check state itself follows the
// rules it shares with the toggle (check_rules.h).
HBITMAP ImageOf(OnOffLook look, LONG checkState) {
    if (look == kOnOffPressed) return checkState == 0 ? g_pressedOffBitmap : g_pressedOnBitmap;
    return checkState == 0 ? g_releasedOffBitmap : g_releasedOnBitmap;
}

}  // namespace

// 4. Paint routine.
void DrawOnOff(HDC dc, const RECT& client, OnOffLook look, const OnOffState* state) {
    DebugTrace("Zut_DrawOnOff\n");
    if (!state) return;
    BlitImage(dc, client, ImageOf(look, state->checkState));
}

namespace {

void Repaint(HWND window, OnOffLook look) {
    RepaintAtOnce(window, g_onOffRect, DrawOnOff, look);
}

// 5. Handlers.

// The images come first, by integer identifier in this order, even when the state block is then
// refused.
LRESULT OnCreate(HWND window) {
    g_pressedOnBitmap = LoadCachedBitmap(g_toolkitInstance, MAKEINTRESOURCEA(0x84));
    g_releasedOnBitmap = LoadCachedBitmap(g_toolkitInstance, MAKEINTRESOURCEA(0x83));
    g_pressedOffBitmap = LoadCachedBitmap(g_toolkitInstance, MAKEINTRESOURCEA(0x81));
    g_releasedOffBitmap = LoadCachedBitmap(g_toolkitInstance, MAKEINTRESOURCEA(0x82));
    return CreateStateBlock<OnOffState>(window);  // checkState 0
}

LRESULT OnGetCheck(HWND window) {
    const OnOffState* state = GetStateBlock<OnOffState>(window);
    return state && state->checkState == 1 ? 1 : 0;
}

// Values other than exactly 0 or 1 change nothing, but every BM_SETCHECK repaints.
LRESULT OnSetCheck(HWND window, WPARAM requested) {
    if (OnOffState* state = GetStateBlock<OnOffState>(window))
        state->checkState = check_rules::AcceptCheck(state->checkState, requested);
    Repaint(window, kOnOffReleased);
    return 0;
}

// Only moves with a button or key flag matter, and only until the pointer first leaves.
LRESULT OnMouseMove(HWND window, WPARAM keys, LPARAM lParam) {
    return MomentaryMove(window, keys, lParam, g_draggedOut, g_onOffRect, g_onOffPoint,
                         [window] { Repaint(window, kOnOffReleased); });
}

// The pressed image is the state's before the flip; the notice is posted before the flip too,
// but the parent reads it after this returns and so sees the new state.
LRESULT OnLeftButtonDown(HWND window) {
    return MomentaryPress(window, g_draggedOut, [window] { Repaint(window, kOnOffPressed); }, [window] {
        PostCommandWholeId(window);
        if (OnOffState* state = GetStateBlock<OnOffState>(window))
            state->checkState = check_rules::FlipCheck(state->checkState);
    });
}

LRESULT OnLeftButtonUp(HWND window) {
    ReleaseCapture();
    Repaint(window, kOnOffReleased);
    return 0;
}

// 6. Window procedure. The images are the cache's.
LRESULT CALLBACK OnOffWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:      return OnCreate(window);
    case WM_PAINT:       return PaintMessage(window, g_onOffRect, DrawOnOff, kOnOffReleased);
    case BM_GETCHECK:    return OnGetCheck(window);
    case BM_SETCHECK:    return OnSetCheck(window, wParam);
    case WM_MOUSEMOVE:   return OnMouseMove(window, wParam, lParam);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window);
    case WM_LBUTTONUP:   return OnLeftButtonUp(window);
    case WM_GETOBJECT:   return AnswerGetObject(window, wParam, lParam, kOnOffAccess);
    default:             return ToolkitDefault<OnOffState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateOnOff(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height,
                 bool on) {
    const ControlPlace place = {instance, parent, id, x, y, width, height};
    return CreateControl<OnOffState>(kOnOffClass, place,
                                     [&](HWND, OnOffState& state) { state.checkState = on ? 1 : 0; });
}

// 8. Registration row.
extern const ToolkitClass kOnOffClass = {"Zut_OnOffClass", OnOffWindowProc, nullptr, &kOnOffAccess};
