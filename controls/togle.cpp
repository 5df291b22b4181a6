// Bitmap toggle, class Zut_TogleClass. A left press flips the state, repaints at once and
// notifies the parent (code 1); a right release only notifies (code 2). BM_SETCHECK /
// BM_GETCHECK set and read the state. The two images are borrowed from the bitmap cache.
#include "controls/togle.h"

#include "controls/togle_rules.h"
#include "controls/toolkit.h"

// 1. State block: TogleState (togle.h), three 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(TogleState) == 12, "the toggle's block is 12 bytes");

namespace {

// 2. Constants and the class-wide variable.
constexpr char kClassName[] = "Zut_TogleClass";
constexpr WORD kLeftButtonCode = 1;
constexpr WORD kRightButtonCode = 2;

// Shared by every toggle: receives the client rectangle right before each paint.
RECT g_togleRect;

// 3. Arithmetic: togle_rules.h (check-state and size rules).

}  // namespace

// 4. Paint routine.
void DrawTogle(HDC dc, const RECT& client, int state, const TogleState* block) {
    DebugTrace("Zut_DrawTogle\n");
    if (!block) return;
    HBITMAP image = togle_rules::ShowsOnImage(state) ? block->onBitmap : block->offBitmap;
    MemoryDC memory(dc);
    SelectGuard keep(memory, image);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
}

namespace {

int CheckStateOf(HWND window) {
    const TogleState* block = GetStateBlock<TogleState>(window);
    return block ? block->checkState : 0;
}

// Repaint at once with the current state: on screen before the message returns.
void Repaint(HWND window) {
    RepaintAtOnce(window, g_togleRect, DrawTogle, CheckStateOf(window));
}

// 5. Handlers.

LRESULT OnCreate(HWND window) {
    auto* block = static_cast<TogleState*>(AllocStateBlock(window, sizeof(TogleState)));
    if (!block) return -1;
    block->checkState = 0;
    block->onBitmap = nullptr;
    block->offBitmap = nullptr;
    return 0;
}

LRESULT OnGetCheck(HWND window) {
    return CheckStateOf(window) == 1 ? 1 : 0;
}

// Values other than exactly 0 or 1 change nothing, but every BM_SETCHECK repaints.
LRESULT OnSetCheck(HWND window, WPARAM requested) {
    if (TogleState* block = GetStateBlock<TogleState>(window))
        block->checkState = togle_rules::AcceptCheck(block->checkState, requested);
    Repaint(window);
    return 0;
}

// The state flips on the press, not on the release.
LRESULT OnLeftButtonDown(HWND window) {
    if (TogleState* block = GetStateBlock<TogleState>(window))
        block->checkState = togle_rules::FlipCheck(block->checkState);
    SetCapture(window);
    SetFocus(window);
    Repaint(window);
    PostCommandNotify(window, kLeftButtonCode);
    return 0;
}

LRESULT OnLeftButtonUp(HWND window) {
    ReleaseCapture();
    Repaint(window);
    return 0;
}

LRESULT OnRightButtonUp(HWND window) {
    PostCommandNotify(window, kRightButtonCode);
    return 0;
}

}  // namespace

// 6. Window procedure.
LRESULT CALLBACK TogleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:      return OnCreate(window);
    case WM_DESTROY:     return DestroyStateBlock(window);  // the bitmaps are the cache's
    case WM_ERASEBKGND:  return 0;
    case WM_PAINT:       return PaintMessage(window, g_togleRect, DrawTogle, CheckStateOf(window));
    case WM_GETDLGCODE:  return DLGC_WANTALLKEYS;
    case BM_GETCHECK:    return OnGetCheck(window);
    case BM_SETCHECK:    return OnSetCheck(window, wParam);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window);
    case WM_LBUTTONUP:   return OnLeftButtonUp(window);
    case WM_RBUTTONUP:   return OnRightButtonUp(window);
    default:             return DefWindowProcA(window, message, wParam, lParam);
    }
}

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
    return CreateControl<TogleState>(kClassName, "", place, [&](HWND, TogleState& block) {
        block.onBitmap = on;
        block.offBitmap = off;
    });
}
