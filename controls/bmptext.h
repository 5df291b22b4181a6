// Bitmap text, class Zut_BmpTextClass: a passive line of capitals, digits and marks composed
// from a strip of 6 x 7 character cells.
#pragma once

#include <windows.h>

struct BmpTextState {
    char text[32];       // the text, NUL-terminated; WM_SETTEXT keeps at most 30 characters
    HBITMAP charBitmap;  // the character strip, cell k at x = 6 * k; the supplier's
    LONG length;         // cells drawn from text's first byte on, whatever the NUL; 0..32
};

// The paint routine: upper-cases text in place, composes length cells (held to 0..32)
// off-screen and copies the length * 6 by 7 line to the DC's origin in one transfer. The
// rectangle is not used. A null state block draws nothing.
void DrawBmpText(HDC dc, const RECT& client, BmpTextState* state);

// Creates a bitmap text of length cells, sized length * 6 by 7 (length held to 0..32),
// holding text as WM_SETTEXT takes it (at most 30 characters), shown. The strip stays its
// supplier's (as a rule the bitmap cache). The line changes with WM_SETTEXT; length stays, so
// a shorter text should be padded with spaces: the cells past its NUL show the NUL's glyph and
// then whatever earlier texts left there. Null when creation was refused.
HWND CreateBmpText(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP charBitmap,
                   int length, LPCSTR text);
