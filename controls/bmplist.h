// Bitmap list, class Zut_BmpListClass: shows one image of a table of bitmaps; the left button
// steps on, the right one back, the wheel either way, each reported to the parent.
#pragma once

#include <windows.h>

struct BmpListState {
    LONG pos;          // index of the image shown, 0..count - 1 by the buttons and the wheel
    LONG count;        // number of images in bitmaps; at least 1
    HBITMAP* bitmaps;  // the table of count images in stepping order
};

// The paint routine: copies image bitmaps[pos] to the DC's origin at its own size (pos held
// to the table; nothing without a table or with a count below 1). The rectangle is not used.
// A null state block draws nothing.
void DrawBmpList(HDC dc, const RECT& client, const BmpListState* state);

// Creates a bitmap list showing images[0], sized by the widest and the tallest of the images,
// shown. The handles are copied into a table of the list's own, which it frees when it is
// destroyed; the caller's array may go at once, while the bitmaps stay their supplier's (as a
// rule the bitmap cache) and must outlive the list. A count below 1 (or no images) makes an
// empty list that draws nothing. Null when creation was refused.
//
// A creator that fills the state block by hand keeps its table: the list frees only the table this
// function made for it, never one put into bitmaps from outside.
HWND CreateBmpList(HINSTANCE instance, HWND parent, int id, int x, int y, const HBITMAP* images,
                   int count);
