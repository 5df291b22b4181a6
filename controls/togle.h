// Bitmap toggle, class Zut_TogleClass: a two-state button drawn from an on and an off bitmap.
#pragma once

#include <windows.h>

struct TogleState {
    LONG checkState;   // 1 = on, 0 = off; nothing else is stored
    HBITMAP onBitmap;  // drawn while checkState is 1; borrowed from the bitmap cache
    HBITMAP offBitmap; // drawn otherwise; borrowed from the bitmap cache
};

ATOM RegisterTogleClass(HINSTANCE instance);
BOOL UnregisterTogleClass();

HWND CreateTogle(HINSTANCE instance, HWND parent, int id, int x, int y, LPCSTR onName,
                 LPCSTR offName);
