// Bitmap toggle, class Zut_TogleClass: a two-state button drawn from an on and an off bitmap.
#pragma once

#include <windows.h>

struct TogleState {
    LONG checkState;   // 1 = on, 0 = off; nothing else is stored
    HBITMAP onBitmap;  // drawn while checkState is 1; borrowed from the bitmap cache
    HBITMAP offBitmap; // drawn otherwise; borrowed from the bitmap cache
};

// The paint routine: copies the on image (check state 1) or the off image (any other) to the
// DC's origin, sized by client's right and bottom. Calls the trace hook first; a null state
// block draws nothing.
void DrawTogle(HDC dc, const RECT& client, LONG checkState, const TogleState* state);

// Creates a toggle sized by its on image (the off image's size when the on image is missing,
// 0 x 0 with neither), off, shown. Null when creation was refused.
HWND CreateTogle(HINSTANCE instance, HWND parent, int id, int x, int y, LPCSTR onName,
                 LPCSTR offName);
