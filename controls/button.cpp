// Bitmap push button, class Zut_ButtonClass. Either mouse button pressed on it shows the
// pressed image at once and captures the mouse; leaving the button with a button held shows
// the normal image at once; the release shows the normal image and, when the pointer is over
// the button, notifies the parent: code 1 for the left button, 2 for the right.
#include "controls/button.h"

#include "controls/toolkit.h"

// 1. State block: ButtonState (button.h), two handles.
static_assert(sizeof(void*) != 4 || sizeof(ButtonState) == 8, "the push button's block is 8 bytes");

namespace {

// 2. Constants and the class-wide variables, shared by every push button.
constexpr char kClassName[] = "Zut_ButtonClass";
constexpr int kNormalImage = 0;
constexpr int kPressedImage = 1;

LONG g_draggedOut;  // 1 once the pointer was seen outside the pressed button
RECT g_buttonRect;  // the client rectangle, before each paint and each hit test
POINT g_buttonPoint;  // the pointer of the last hit-tested move or release

}  // namespace

// 4. Paint routine.
void DrawButton(HDC dc, const RECT& client, int image, const ButtonState* state) {
    DebugTrace("Zut_DrawButton\n");
    if (!state) return;
    MemoryDC memory(dc);
    SelectGuard keep(memory, image == kPressedImage ? state->pressedBitmap : state->normalBitmap);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
}

namespace {

void Repaint(HWND window, int image) {
    RepaintAtOnce(window, g_buttonRect, DrawButton, image);
}

// 5. Handlers.

// Only moves with a button or key flag matter, and only until the pointer first leaves.
LRESULT OnMouseMove(HWND window, WPARAM keys, LPARAM lParam) {
    if (FirstMoveOutside(window, keys, lParam, g_draggedOut, g_buttonRect, g_buttonPoint)) {
        Repaint(window, kNormalImage);
        g_draggedOut = 1;
    }
    return 0;
}

LRESULT OnButtonDown(HWND window) {
    SetCapture(window);
    Repaint(window, kPressedImage);
    SetFocus(window);
    g_draggedOut = 0;
    return 0;
}

// The release alone decides: inside the button it notifies, wherever the pointer went before.
LRESULT OnButtonUp(HWND window, LPARAM lParam, WORD code) {
    const bool inside = PointerInside(window, g_buttonRect, lParam, &g_buttonPoint);
    ReleaseCapture();
    Repaint(window, kNormalImage);
    if (inside) PostCommandNotify(window, code);
    return 0;
}

}  // namespace

// 6. Window procedure.
LRESULT CALLBACK ButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:      return CreateStateBlock<ButtonState>(window);  // both images null
    case WM_DESTROY:     return DestroyStateBlock(window);  // the images are the supplier's
    case WM_PAINT:       return PaintMessage(window, g_buttonRect, DrawButton, kNormalImage);
    case WM_ERASEBKGND:  return 0;
    case WM_GETDLGCODE:  return DLGC_WANTALLKEYS;
    case WM_MOUSEMOVE:   return OnMouseMove(window, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: return OnButtonDown(window);
    case WM_LBUTTONUP:   return OnButtonUp(window, lParam, 1);
    case WM_RBUTTONUP:   return OnButtonUp(window, lParam, 2);
    default:             return DefWindowProcA(window, message, wParam, lParam);
    }
}

// 7. Creation.
HWND CreateButton(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP pressed,
                  HBITMAP normal) {
    const SIZE size = BitmapSize(normal ? normal : pressed);
    const ControlPlace place = {instance, parent, id, x, y, size.cx, size.cy};
    return CreateControl<ButtonState>(kClassName, "", place, [&](HWND, ButtonState& state) {
        state.pressedBitmap = pressed;
        state.normalBitmap = normal;
    });
}
