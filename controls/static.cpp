// Static bitmap, class Zut_StaticClass. WM_SETICON names the bitmap to show, which is loaded
// through the bitmap cache and repainted at once. Clicks, keys and focus go to DefWindowProcA:
// the parent is never notified.
#include "controls/static.h"

#include "controls/toolkit.h"

// 1. State block: StaticState (static.h), one handle.
static_assert(sizeof(void*) != 4 || sizeof(StaticState) == 4, "the static bitmap's block is 4 bytes");

namespace {

// 2. Constants and the class-wide variable.
constexpr char kClassName[] = "Zut_StaticClass";

RECT g_staticRect;  // shared by every static bitmap: the client rectangle before each paint

}  // namespace

// 4. Paint routine.
void DrawStatic(HDC dc, const RECT& client, int, const StaticState* block) {
    DebugTrace("Zut_DrawStatic\n");
    if (!block) return;
    BlitImage(dc, client, block->imageBitmap);
}

namespace {

// 5. Handlers.

// The block is fetched after the load: a missing bitmap's box runs a message loop, in which
// the control may be destroyed.
LRESULT OnSetIcon(HWND window, LPCSTR name) {
    const HBITMAP image = LoadCachedBitmap(g_toolkitInstance, name);
    if (StaticState* block = GetStateBlock<StaticState>(window)) block->imageBitmap = image;
    RepaintAtOnce(window, g_staticRect, DrawStatic);
    return 0;
}

}  // namespace

// 6. Window procedure.
LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:     return CreateStateBlock<StaticState>(window);
    case WM_DESTROY:    return DestroyStateBlock(window);  // the image stays in the cache
    case WM_ERASEBKGND: return 0;
    case WM_PAINT:      return PaintMessage(window, g_staticRect, DrawStatic);
    case WM_SETICON:    return OnSetIcon(window, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS;
    default:            return DefWindowProcA(window, message, wParam, lParam);
    }
}

// 7. Creation.
HWND CreateStatic(HINSTANCE instance, HWND parent, int id, int x, int y, LPCSTR imageName) {
    HBITMAP image = LoadCachedBitmap(g_toolkitInstance, imageName);
    const SIZE size = BitmapSize(image);
    const ControlPlace place = {instance, parent, id, x, y, size.cx, size.cy};
    return CreateControl<StaticState>(kClassName, "", place, [&](HWND, StaticState& state) {
        state.imageBitmap = image;
    });
}
