// Horizontal slider, class Zut_HSClass: a level bar over a background bitmap that grows from
// the left edge to the position, a thumb on its end, a caption at the top left and the value
// with a unit suffix at the top right.
#pragma once

#include <windows.h>

// The public state block: a creator without CreateHS fills it through GWLP_USERDATA.
struct HSState {
    LONG trackRight;           // x of maxPos (0 at x = 0); the pointer's divisor, the bar's upper bound
    LONG trackLeft;            // smallest pointer x the mapping accepts; the bar's lower bound
    LONG maxPos;               // largest position of the wheel; the paint's divisor
    LONG pos;                  // current position
    LONG focused;              // 1 while the slider has the focus: the focus thumb shows
    LONG enabled;              // non-zero: normal look; 0: full bar, caption only, no thumb
    LONG displayOffset;        // added to pos for the value text without a display range
    DWORD rangeLow;            // unsigned 16-bit: the value shown at position 0
    DWORD rangeHigh;           // unsigned 16-bit: the value shown at maxPos; a range unless both 0
    HBITMAP backBitmap;        // background, copied from its top-left at the client size; the supplier's
    HBITMAP thumbBitmap;       // thumb while focused is not 1; the supplier's
    HBITMAP thumbFocusBitmap;  // thumb while focused is 1; the supplier's
    char caption[32];          // at most 31 characters; empty also hides the value text
    char suffix[8];            // at most 7 characters, written right after the value
};

// The paint's trace flag: 1 for the paints while the bar is pressed or dragged, 0 else.
using HSTrace = int;
constexpr HSTrace kHSQuietTrace = 0;
constexpr HSTrace kHSActiveTrace = 1;

// Messages of the horizontal slider beside SBM_SETPOS / SBM_GETPOS.
constexpr UINT HSM_SETOFFSET = WM_USER;      // wParam: displayOffset
constexpr UINT HSM_SETSUFFIX = WM_USER + 1;  // lParam: the suffix text
constexpr UINT HSM_SETRANGE = WM_USER + 2;   // wParam: MAKEWPARAM(low, high) of the display range; lParam: suffix

// The paint routine: background, bar, caption, value text and thumb, composed off-screen at
// the client size and copied to the DC's origin. A null state block draws nothing.
void DrawHS(HDC dc, const RECT& client, HSTrace trace, const HSState* state);

// Creates a horizontal slider of the given size, enabled, at position 0, unfocused, shown.
// trackLeft..trackRight is the pointer's range (position 0 at x = 0, maxPos at trackRight);
// caption (at most 31 characters) and suffix (at most 7; longer texts are cut) are copied;
// rangeLow..rangeHigh is the display range (both 0: the value shows the position itself,
// plus an offset set later with HSM_SETOFFSET). The images stay their supplier's. Null when
// creation was refused.
HWND CreateHS(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height, HBITMAP back,
              HBITMAP thumb, HBITMAP thumbFocus, int trackLeft, int trackRight, int maxPos, LPCSTR caption,
              LPCSTR suffix, short rangeLow, short rangeHigh);
