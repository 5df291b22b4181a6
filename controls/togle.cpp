// Bitmap toggle, class Zut_TogleClass. A left press flips the state, repaints at once and
// notifies the parent (code 1); a right release only notifies (code 2). BM_SETCHECK /
// BM_GETCHECK set and read the state. The two images are borrowed from the bitmap cache.
#include "controls/togle.h"

#include "controls/control_rules.h"
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

// 3. Arithmetic: control_rules.h (check-state and size rules).

}  // namespace

// 4. Paint routine.
void DrawTogle(HDC dc, const RECT& client, LONG state, const TogleState* block) {
    DebugTrace("Zut_DrawTogle\n");
    if (!block) return;
    HBITMAP image = control_rules::ShowsOnImage(state) ? block->onBitmap : block->offBitmap;
    MemoryDC memory(dc);
    SelectGuard keep(memory, image);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
}

namespace {

// Repaint at once: the new image is on screen before the message returns; nothing is
// invalidated.
void RepaintAtOnce(HWND window, const TogleState* block) {
    WindowDC dc(window);
    GetClientRect(window, &g_togleRect);
    DrawTogle(dc, g_togleRect, block ? block->checkState : 0, block);
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

LRESULT OnDestroy(HWND window) {
    if (GetStateBlock<TogleState>(window)) FreeStateBlock(window);  // the bitmaps are the cache's
    return 0;
}

LRESULT OnPaint(HWND window) {
    const TogleState* block = GetStateBlock<TogleState>(window);
    GetClientRect(window, &g_togleRect);
    PaintDC dc(window);
    DrawTogle(dc, g_togleRect, block ? block->checkState : 0, block);
    return 0;
}

LRESULT OnGetCheck(HWND window) {
    const TogleState* block = GetStateBlock<TogleState>(window);
    return block && block->checkState == 1 ? 1 : 0;
}

// Values other than exactly 0 or 1 change nothing, but every BM_SETCHECK repaints.
LRESULT OnSetCheck(HWND window, WPARAM requested) {
    TogleState* block = GetStateBlock<TogleState>(window);
    if (block) block->checkState = control_rules::AcceptCheck(block->checkState, requested);
    RepaintAtOnce(window, block);
    return 0;
}

// The state flips on the press, not on the release.
LRESULT OnLeftButtonDown(HWND window) {
    TogleState* block = GetStateBlock<TogleState>(window);
    if (block) block->checkState = control_rules::FlipCheck(block->checkState);
    SetCapture(window);
    SetFocus(window);
    RepaintAtOnce(window, block);
    PostCommandNotify(window, kLeftButtonCode);
    return 0;
}

LRESULT OnLeftButtonUp(HWND window) {
    ReleaseCapture();
    RepaintAtOnce(window, GetStateBlock<TogleState>(window));
    return 0;
}

LRESULT OnRightButtonUp(HWND window) {
    PostCommandNotify(window, kRightButtonCode);
    return 0;
}

// 6. Window procedure.
LRESULT CALLBACK TogleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:      return OnCreate(window);
    case WM_DESTROY:     return OnDestroy(window);
    case WM_ERASEBKGND:  return 0;
    case WM_PAINT:       return OnPaint(window);
    case WM_GETDLGCODE:  return DLGC_WANTALLKEYS;
    case BM_GETCHECK:    return OnGetCheck(window);
    case BM_SETCHECK:    return OnSetCheck(window, wParam);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window);
    case WM_LBUTTONUP:   return OnLeftButtonUp(window);
    case WM_RBUTTONUP:   return OnRightButtonUp(window);
    default:             return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The size of a bitmap, when there is one.
bool BitmapSize(HBITMAP bitmap, control_rules::Size* size) {
    BITMAP info;
    if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != sizeof info) return false;
    *size = {info.bmWidth, info.bmHeight};
    return true;
}

}  // namespace

// 7. Registration and creation.

ATOM RegisterTogleClass(HINSTANCE instance) {
    return RegisterToolkitClass(instance, kClassName, TogleProc, nullptr);
}

BOOL UnregisterTogleClass() {
    return UnregisterToolkitClass(kClassName);
}

HWND CreateTogle(HINSTANCE instance, HWND parent, int id, int x, int y, LPCSTR onName,
                 LPCSTR offName) {
    // On first, then off: a missing on image reports before a missing off image.
    HBITMAP on = LoadCachedBitmap(instance, onName);
    HBITMAP off = LoadCachedBitmap(instance, offName);
    control_rules::Size onSize = {0, 0};
    control_rules::Size offSize = {0, 0};
    const bool haveOn = BitmapSize(on, &onSize);
    const bool haveOff = !haveOn && BitmapSize(off, &offSize);  // asked only when needed
    const control_rules::Size size = control_rules::TogleSize(haveOn, onSize, haveOff, offSize);

    HWND window = CreateWindowExA(0, kClassName, "", WS_CHILD, x, y, size.width, size.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!window) return nullptr;
    if (TogleState* block = GetStateBlock<TogleState>(window)) {
        block->onBitmap = on;
        block->offBitmap = off;
    }
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}
