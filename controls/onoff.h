// On/off switch, class Zut_OnOffClass: a two-state switch drawn from four images that every
// switch shares, loaded by each switch's WM_CREATE through the bitmap cache with the toolkit
// instance: bitmap resource identifiers 0x81 (pressed, off), 0x82 (released, off), 0x83
// (released, on) and 0x84 (pressed, on). A module that uses switches holds those four bitmaps
// (or its host puts images under them with PutCachedBitmap before the first switch).
#pragma once

#include <windows.h>

// Filled by hand through GWLP_USERDATA by a creator that does not use CreateOnOff.
struct OnOffState {
    LONG checkState;  // 1 = on, 0 = off; nothing else is stored
};

// Which image of the check state the paint routine copies: the pressed one for kOnOffPressed,
// the released one for any other value.
using OnOffLook = int;
constexpr OnOffLook kOnOffReleased = 0;
constexpr OnOffLook kOnOffPressed = 1;

// The paint routine: copies the image of the look and the check state to the DC's origin,
// sized by client's right and bottom; a missing image shows the class background
// (COLOR_WINDOW). Trace first; a null state block draws nothing.
void DrawOnOff(HDC dc, const RECT& client, OnOffLook look, const OnOffState* state);

// Creates a switch of the given size, on or off, shown. Null when creation was refused.
HWND CreateOnOff(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height,
                 bool on = false);
