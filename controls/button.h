// Bitmap push button, class Zut_ButtonClass: a momentary button drawn from a pressed and a
// normal image.
#pragma once

#include <windows.h>

struct ButtonState {
    HBITMAP pressedBitmap;  // drawn while a mouse button is held on it; the supplier's
    HBITMAP normalBitmap;   // drawn otherwise and by every WM_PAINT; the supplier's
};

// Which image the paint routine copies: the pressed one for kButtonPressedImage, the normal
// one for any other value.
using ButtonImage = int;
constexpr ButtonImage kButtonNormalImage = 0;
constexpr ButtonImage kButtonPressedImage = 1;

// The paint routine: copies the image to the DC's origin, sized by client's right and bottom.
// Trace first; a null state block draws nothing.
void DrawButton(HDC dc, const RECT& client, ButtonImage image, const ButtonState* state);

// Creates a button sized by its normal image (the pressed image's when the normal one is
// null), shown. The images stay their supplier's (as a rule the bitmap cache). Null when
// creation was refused.
HWND CreateButton(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP pressed,
                  HBITMAP normal);
