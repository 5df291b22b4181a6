// Bitmap gauge, class Zut_BmpGageClass: a passive horizontal level bar, the share level % of
// its width filled from the left in one colour, the rest in another.
#pragma once

#include <windows.h>

struct BmpGageState {
    LONG reserved;  // neither read nor written by the gauge
    LONG level;     // filled share of the width in percent, 0..100; set by SBM_SETPOS
};

// The paint routine: two rectangles outlined with the DC's current pen, the filled part
// (0x00B0966E) from client.left to left + a, a = width * level / 100, and the empty part
// (0x00CFC7BF) from left + a - 1 to client.right, sharing one border column; client's full
// height. Brushes made and deleted per paint, the DC's brush restored. A null state block
// draws nothing.
void DrawBmpGage(HDC dc, const RECT& client, const BmpGageState* state);

// Creates a gauge of the given size showing level, shown. An owner drives it with SBM_SETPOS
// (for example with each position another control reports). Null when creation was refused.
HWND CreateBmpGage(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height,
                   int level);
