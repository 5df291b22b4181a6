// Static bitmap, class Zut_StaticClass. WM_SETICON names the bitmap to show, which is loaded
// through the bitmap cache and repainted at once. Clicks, keys and focus go to DefWindowProcA:
// the parent is never notified.
#include "controls/static.h"

#include "controls/toolkit_class.h"

// 1. State block: StaticState (static.h), one handle.
static_assert(sizeof(void*) != 4 || sizeof(StaticState) == 4, "the static bitmap's state block is 4 bytes");

namespace {

// 2. The class-wide variable.
RECT g_staticRect;  // shared by every static bitmap: the client rectangle before each paint

// 3. Arithmetic: none of its own.

}  // namespace

// 4. Paint routine.
void DrawStatic(HDC dc, const RECT& client, const StaticState* state) {
    DebugTrace("Zut_DrawStatic\n");
    if (!state) return;
    BlitImage(dc, client, state->imageBitmap);
}

namespace {

// 5. Handlers.

// A window that has no size yet (made from a name that did not load: its window rectangle is
// 0 by 0) takes the image's. A window with a frame, or with one side of its own, keeps its size
// even where its client area is empty.
void SizeIfEmpty(HWND window, HBITMAP image) {
    RECT bounds;
    if (!GetWindowRect(window, &bounds) || bounds.right != bounds.left || bounds.bottom != bounds.top) return;
    const SIZE size = BitmapSize(image);
    if (size.cx > 0 && size.cy > 0)
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The state block is fetched after the load: a missing bitmap's box runs a message loop, in
// which the control may be destroyed.
LRESULT OnSetIcon(HWND window, LPCSTR name) {
    const HBITMAP image = LoadCachedBitmap(g_toolkitInstance, name);
    if (StaticState* state = GetStateBlock<StaticState>(window)) state->imageBitmap = image;
    SizeIfEmpty(window, image);
    RepaintAtOnce(window, g_staticRect, DrawStatic);
    return 0;
}

// 6. Window procedure. The image stays in the cache.
LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:      return PaintMessage(window, g_staticRect, DrawStatic);
    case WM_SETICON:    return OnSetIcon(window, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETOBJECT:  return AnswerGetObject(window, wParam, lParam, kStaticAccess);
    default:            return ToolkitDefault<StaticState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateStatic(HINSTANCE instance, HWND parent, int id, int x, int y, LPCSTR imageName) {
    HBITMAP image = LoadCachedBitmap(g_toolkitInstance, imageName);
    const SIZE size = BitmapSize(image);
    const ControlPlace place = {instance, parent, id, x, y, size.cx, size.cy};
    return CreateControl<StaticState>(kStaticClass, place, [&](HWND, StaticState& state) {
        state.imageBitmap = image;
    });
}

// 8. Registration row.
extern const ToolkitClass kStaticClass = {"Zut_StaticClass", StaticWindowProc, nullptr, &kStaticAccess};
