// Bitmap push button, class Zut_ButtonClass. Either mouse button pressed on it shows the
// pressed image at once and captures the mouse; leaving the button with a button held shows
// the normal image at once; the release shows the normal image and, when the pointer is over
// the button, notifies the parent: code 1 for the left button, 2 for the right.
#include "controls/button.h"

#include "controls/toolkit_class.h"

// 1. State block: ButtonState (button.h), two handles.
static_assert(sizeof(void*) != 4 || sizeof(ButtonState) == 8, "the push button's state block is 8 bytes");

namespace {

// 2. Constants and the class-wide variables, shared by every push button.
LONG g_draggedOut;  // 1 once the pointer was seen outside the pressed button
RECT g_buttonRect;  // the client rectangle, before each paint and each hit test
POINT g_buttonPoint;  // the pointer of the last hit-tested move or release

// 3. Arithmetic: none of its own (the hit test is the kit's PointerInside).

}  // namespace

// 4. Paint routine.
void DrawButton(HDC dc, const RECT& client, ButtonImage image, const ButtonState* state) {
    DebugTrace("Zut_DrawButton\n");
    if (!state) return;
    MemoryDC memory(dc);
    SelectGuard keep(memory, image == kButtonPressedImage ? state->pressedBitmap : state->normalBitmap);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
}

namespace {

void Repaint(HWND window, ButtonImage image) {
    RepaintAtOnce(window, g_buttonRect, DrawButton, image);
}

// 5. Handlers.

// Only moves with a button or key flag matter, and only until the pointer first leaves.
LRESULT OnMouseMove(HWND window, WPARAM keys, LPARAM lParam) {
    return MomentaryMove(window, keys, lParam, g_draggedOut, g_buttonRect, g_buttonPoint,
                         [window] { Repaint(window, kButtonNormalImage); });
}

LRESULT OnButtonDown(HWND window) {
    return MomentaryPress(window, g_draggedOut, [window] { Repaint(window, kButtonPressedImage); }, [] {});
}

// The release alone decides: inside the button it notifies, wherever the pointer went before.
LRESULT OnButtonUp(HWND window, LPARAM lParam, WORD code) {
    const bool inside = PointerInside(window, g_buttonRect, lParam, &g_buttonPoint);
    ReleaseCapture();
    Repaint(window, kButtonNormalImage);
    if (inside) PostCommandNotify(window, code);
    return 0;
}

// 6. Window procedure. The state block starts with both images null; they stay the
// supplier's.
LRESULT CALLBACK ButtonWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:       return PaintMessage(window, g_buttonRect, DrawButton, kButtonNormalImage);
    case WM_MOUSEMOVE:   return OnMouseMove(window, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: return OnButtonDown(window);
    case WM_LBUTTONUP:   return OnButtonUp(window, lParam, kLeftButtonCode);
    case WM_RBUTTONUP:   return OnButtonUp(window, lParam, kRightButtonCode);
    case WM_GETOBJECT:   return AnswerGetObject(window, wParam, lParam, kButtonAccess);
    default:             return ToolkitDefault<ButtonState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateButton(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP pressed,
                  HBITMAP normal) {
    const SIZE size = BitmapSize(normal ? normal : pressed);
    const ControlPlace place = {instance, parent, id, x, y, size.cx, size.cy};
    return CreateControl<ButtonState>(kButtonClass, place, [&](HWND, ButtonState& state) {
        state.pressedBitmap = pressed;
        state.normalBitmap = normal;
    });
}

// 8. Registration row.
extern const ToolkitClass kButtonClass = {"Zut_ButtonClass", ButtonWindowProc, nullptr, &kButtonAccess};
