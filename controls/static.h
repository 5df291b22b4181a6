// Static bitmap, class Zut_StaticClass: a passive control that shows one bitmap, named with
// WM_SETICON (lParam: the bitmap resource's name, loaded through the bitmap cache with the
// toolkit instance; wParam ignored). A window with no size yet takes the image's size then.
#pragma once

#include <windows.h>

// Filled by hand through GWLP_USERDATA by a creator that does not use CreateStatic (or set by
// WM_SETICON).
struct StaticState {
    HBITMAP imageBitmap;  // the image shown; the bitmap cache's, null until the first WM_SETICON
};

// The paint routine: copies the image to the DC's origin, sized by client's right and bottom.
// A null image (before the first WM_SETICON, or after a name that could not be loaded) and
// whatever the image does not cover show the class background (COLOR_WINDOW). Trace first; a
// null state block draws nothing.
void DrawStatic(HDC dc, const RECT& client, const StaticState* state);

// Creates a static bitmap sized by the named image and shows it: the image is loaded (a
// missing one reports its "NotFound" box once and leaves a 0 x 0 window, which the first
// WM_SETICON of a name that loads sizes) and put into the
// block before the control is shown, as a WM_SETICON would. Null when creation was refused.
HWND CreateStatic(HINSTANCE instance, HWND parent, int id, int x, int y, LPCSTR imageName);
