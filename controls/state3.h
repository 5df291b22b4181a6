// Three-state button, class Zut_State3Class: a bitmap button that steps through states 0, 1
// and 2, each shown by an image of its own.
#pragma once

#include <windows.h>

// Filled by hand through GWLP_USERDATA by a creator that does not use CreateState3: note the
// order, state 0's image comes last.
struct State3State {
    LONG state;            // current state: 0, 1 or 2 (BM_SETCHECK stores any value)
    HBITMAP bitmapState1;  // image of state 1; the supplier's
    HBITMAP bitmapState2;  // image of state 2; the supplier's
    HBITMAP bitmapState0;  // image of state 0; the supplier's
};

// The paint routine: copies the image of the state block's state to the DC's origin, sized by
// client's right and bottom. A state outside 0..2, or a null image, shows the class
// background (COLOR_WINDOW). Trace first; a null state block draws nothing.
void DrawState3(HDC dc, const RECT& client, const State3State* state);

// Creates a button in the initial state, sized by state 0's image (state 1's, then state 2's,
// when that one is null), shown. The images stay their supplier's (as a rule the bitmap
// cache). Null when creation was refused.
HWND CreateState3(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP state0,
                  HBITMAP state1, HBITMAP state2, LONG initialState = 0);
