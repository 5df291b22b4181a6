// Rotary knob, class Zut_KnobClass: a marker bitmap that travels on a circle about the
// control's centre over a 270-degree sweep, drawn over whatever lies beneath (save-under).
#pragma once

#include <windows.h>

// The public state block: a creator without CreateKnob fills it through GWLP_USERDATA (WM_CREATE
// has set the centre and the radius by then).
struct KnobState {
    LONG maxPos;                // value at the clockwise end (lower right); the wheel's upper bound
    LONG minPos;                // value at the counter-clockwise end (lower left); the wheel's lower bound
    LONG pos;                   // current value
    LONG radius;                // min(centerX, centerY) + 1; the marker's orbit is radius * 40 / 100
    LONG focused;               // 1 while the knob has the focus: the focus marker shows
    LONG drawnPos;              // the value the marker was last drawn at: where to put pixels back
    LONG centerX;               // client width / 2 at creation
    LONG centerY;               // client height / 2 at creation
    HBITMAP markerFocusBitmap;  // marker while focused is 1; its size is saveBitmap's; the supplier's
    HBITMAP markerBitmap;       // marker otherwise, the same size; the supplier's
    HBITMAP saveBitmap;         // the pixels under the marker as last drawn; the knob's; null until the first paint
};

// The paint routine: puts back the pixels saved under the marker at drawnPos (the first paint
// creates saveBitmap instead), saves those under the marker at pos and draws the marker there,
// on the DC itself; nothing else of the DC is touched. Writes saveBitmap and drawnPos. A null
// state block draws nothing; client is not used.
void DrawKnob(HDC dc, const RECT& client, KnobState* state);

// Creates a knob of the given size (centre and radius follow from it and stay), unfocused,
// shown, at pos within minPos (lower left) .. maxPos (lower right). The markers stay their
// supplier's; the knob's face is whatever its parent draws beneath it. Null when creation was
// refused.
HWND CreateKnob(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height, HBITMAP marker,
                HBITMAP markerFocus, int minPos, int maxPos, int pos);
