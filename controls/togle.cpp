// Bitmap toggle, class Zut_TogleClass. A left press flips the state, repaints at once and
// notifies the parent (code 1); a right release only notifies (code 2). BM_SETCHECK /
// BM_GETCHECK set and read the state. The two images are borrowed from the bitmap cache.
#include "controls/togle.h"

#include "controls/check_rules.h"
#include "controls/togle_rules.h"
#include "controls/toolkit_class.h"

// 1. State block: TogleState (togle.h), three 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(TogleState) == 12, "the toggle's state block is 12 bytes");

namespace {

// 2. The class-wide variable.
// Shared by every toggle: receives the client rectangle right before each paint.
RECT g_togleRect;

// 3. Arithmetic: check_rules.h (the check state) and togle_rules.h (image and size).

}  // namespace

// 4. Paint routine.
void DrawTogle(HDC dc, const RECT& client, LONG checkState, const TogleState* state) {
    DebugTrace("Zut_DrawTogle\n");
    if (!state) return;
    HBITMAP image = togle_rules::ShowsOnImage(checkState) ? state->onBitmap : state->offBitmap;
    MemoryDC memory(dc);
    SelectGuard keep(memory, image);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
}

namespace {

LONG CheckStateOf(HWND window) {
    const TogleState* state = GetStateBlock<TogleState>(window);
    return state ? state->checkState : 0;
}

// Repaint at once with the current state: on screen before the message returns.
void Repaint(HWND window) {
    RepaintAtOnce(window, g_togleRect, DrawTogle, CheckStateOf(window));
}

// 5. Handlers.

LRESULT OnGetCheck(HWND window) {
    return CheckStateOf(window) == 1 ? 1 : 0;
}

// Values other than exactly 0 or 1 change nothing, but every BM_SETCHECK repaints.
LRESULT OnSetCheck(HWND window, WPARAM requested) {
    if (TogleState* state = GetStateBlock<TogleState>(window))
        state->checkState = check_rules::AcceptCheck(state->checkState, requested);
    Repaint(window);
    return 0;
}

// The state flips on the press, not on the release.
LRESULT OnLeftButtonDown(HWND window) {
    if (TogleState* state = GetStateBlock<TogleState>(window))
        state->checkState = check_rules::FlipCheck(state->checkState);
    return CaptureFocusRepaintAndNotify(window, Repaint, kLeftButtonCode);
}

LRESULT OnLeftButtonUp(HWND window) {
    ReleaseCapture();
    Repaint(window);
    return 0;
}

// 6. Window procedure. The state block starts off with no images; the images are the
// cache's.
LRESULT CALLBACK TogleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:       return PaintMessage(window, g_togleRect, DrawTogle, CheckStateOf(window));
    case BM_GETCHECK:    return OnGetCheck(window);
    case BM_SETCHECK:    return OnSetCheck(window, wParam);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window);
    case WM_LBUTTONUP:   return OnLeftButtonUp(window);
    case WM_RBUTTONUP:   return NotifyRightButton(window);
    case WM_GETOBJECT:   return AnswerGetObject(window, wParam, lParam, kTogleAccess);
    default:             return ToolkitDefault<TogleState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.

HWND CreateTogle(HINSTANCE instance, HWND parent, int id, int x, int y, LPCSTR onName,
                 LPCSTR offName) {
    // On first, then off: a missing on image reports before a missing off image.
    HBITMAP on = LoadCachedBitmap(instance, onName);
    HBITMAP off = LoadCachedBitmap(instance, offName);
    const SIZE onSize = BitmapSize(on);
    const bool haveOn = onSize.cx > 0;
    const SIZE offSize = haveOn ? SIZE{0, 0} : BitmapSize(off);  // asked only when needed
    const togle_rules::Size size = togle_rules::TogleSize(haveOn, {onSize.cx, onSize.cy},
                                                          offSize.cx > 0, {offSize.cx, offSize.cy});

    const ControlPlace place = {instance, parent, id, x, y, size.width, size.height};
    return CreateControl<TogleState>(kTogleClass, place, [&](HWND, TogleState& state) {
        state.onBitmap = on;
        state.offBitmap = off;
    });
}

// 8. Registration row.
extern const ToolkitClass kTogleClass = {"Zut_TogleClass", TogleWindowProc, nullptr, &kTogleAccess};
