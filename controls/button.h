// Bitmap push button, class Zut_ButtonClass: a momentary button drawn from a pressed and a
// normal image.
#pragma once

#include <windows.h>

struct ButtonState {
    HBITMAP pressedBitmap;  // drawn while a mouse button is held on it; the supplier's
    HBITMAP normalBitmap;   // drawn otherwise and by every WM_PAINT; the supplier's
};

// The paint routine: copies the pressed image (image 1) or the normal image (any other) to
// the DC's origin, sized by client's right and bottom. Trace first; a null block draws nothing.
void DrawButton(HDC dc, const RECT& client, int image, const ButtonState* state);

// Creates a button sized by its normal image (the pressed image's when the normal one is
// null), shown. The images stay their supplier's (as a rule the bitmap cache). Null when
// creation was refused.
HWND CreateButton(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP pressed,
                  HBITMAP normal);
