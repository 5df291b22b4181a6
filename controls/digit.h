// Digit display, class Zut_DigitClass: a passive three-digit readout composed from a strip of
// 6 x 7 digit glyphs.
#pragma once

#include <windows.h>

struct DigitState {
    LONG value;           // the number shown; 359 from creation until the first SBM_SETPOS
    HBITMAP digitBitmap;  // the glyphs 0..9, 6 x 7 each, side by side; the supplier's
};

// The paint routine: composes the three glyphs of value (leading zeros; a value outside
// 0..999 as the nearest bound) off-screen and copies the 18 x 7 result to the DC's origin in
// one transfer. The rectangle is not used. A null state block draws nothing.
void DrawDigit(HDC dc, const RECT& client, const DigitState* state);

// Creates a digit display 18 x 7 (the size it paints), showing value from the strip, shown.
// The strip stays its supplier's (as a rule the bitmap cache). It takes SBM_SETPOS as any
// window does, so it can follow another control as its buddy. Null when creation was refused.
HWND CreateDigit(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP digitBitmap,
                 int value);
