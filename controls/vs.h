// Vertical slider, class Zut_VSClass: a thumb bitmap that moves up and down over a track
// bitmap, position 0 at trackBottom and maxPos at the top; it can pass each new position on to
// a buddy window.
#pragma once

#include <windows.h>

// The public state block: a creator without CreateVS fills it through GWLP_USERDATA.
struct VSState {
    LONG trackBottom;          // y of position 0; the pointer mapping's divisor
    LONG trackTop;             // smallest pointer y the mapping accepts: the upper stop
    LONG maxPos;               // largest position of keys and wheel; the paint's divisor
    LONG pos;                  // current position
    LONG focused;              // 1 while the slider has the focus: the focus thumb shows
    LONG reserved;             // neither read nor written by the slider
    LONG step;                 // added or taken per arrow key or wheel message
    HBITMAP backBitmap;        // track image, the composition's size; the supplier's
    HBITMAP thumbFocusBitmap;  // thumb while focused is 1; the supplier's
    HBITMAP thumbBitmap;       // thumb otherwise; the supplier's
    HWND buddy;                // receives SBM_SETPOS with each new position; null for none
};

// The paint's trace flag: 1 for the paints while the thumb is pressed, dragged or focused, 0
// else.
using VSTrace = int;
constexpr VSTrace kVSQuietTrace = 0;
constexpr VSTrace kVSActiveTrace = 1;

// The paint routine: the track image with the thumb for pos, composed off-screen at the track
// image's size and copied to the DC's origin at client's right x bottom. A null state block
// draws nothing.
void DrawVS(HDC dc, const RECT& client, VSTrace trace, const VSState* state);

// Creates a vertical slider sized by its track image, at position 0, unfocused, shown. The
// track runs from trackTop (the pointer's upper stop) down to trackBottom (position 0); maxPos
// at the top; step per arrow key and wheel message; buddy (or null) follows every new
// position. The images stay their supplier's (as a rule the bitmap cache). Null when
// creation was refused.
HWND CreateVS(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP back, HBITMAP thumb,
              HBITMAP thumbFocus, int trackTop, int trackBottom, int maxPos, int step, HWND buddy);
