// Two-digit spinner, class Zut_DigitExClass: an integer position shown as at least two
// decimal digits in a bold Arial font as tall as the window.
#pragma once

#include <windows.h>

struct DigitExState {
    HFONT font;          // digits' font; owned, deleted at WM_DESTROY; null = DC default
    COLORREF textColor;  // colour of the digits
    COLORREF backColor;  // colour filling the client area
    LONG pos;            // current position, the number shown
    LONG maxPos;         // largest position the wrap rule keeps
    LONG resetPos;       // position past maxPos and on a right click
};

ATOM RegisterDigitExClass(HINSTANCE instance);
BOOL UnregisterDigitExClass();

HWND CreateDigitEx(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height,
                   COLORREF textColor, COLORREF backColor, int maxPos, int resetPos);
