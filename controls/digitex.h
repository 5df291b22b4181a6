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

// The paint routine: fills client with backColor and draws pos ("%02d") in textColor and the
// block's font, centred at the top, composed off-screen and copied with one BitBlt. Serves
// WM_PAINT and any other DC (a test's memory DC). A null state block draws nothing.
void DrawDigitEx(HDC dc, const RECT& client, const DigitExState* state);

// Creates a spinner (hidden WS_CHILD, block filled, own bold Arial font as tall as the window
// handed over with WM_SETFONT, then shown). Null when creation was refused.
HWND CreateDigitEx(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height,
                   COLORREF textColor, COLORREF backColor, int maxPos, int resetPos);
