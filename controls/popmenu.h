// Popup-menu selector, class Zut_PopMenuClass: one choice out of the items of a popup menu,
// shown as the current item's label over a face bitmap.
#pragma once

#include <windows.h>

struct PopMenuState {
    HBITMAP backBitmap;  // face image, drawn 20 pixels from the left edge; the supplier's
    LONG pos;            // current item: its zero-based position in menu
    LONG count;          // number of items; left-click stepping wraps at it
    LONG reserved;       // neither read nor written by the class
    HMENU menu;          // the choices, item p with command id 5001 + p; owned, destroyed
};

// The child push button whose left click (WM_COMMAND code 1 from this id) opens the menu,
// and the command id of the menu's first item.
constexpr int kPopMenuButtonId = 5000;
constexpr int kPopMenuFirstItemId = 5001;

// The paint routine: the face at (20, 0) at its own size, then the label of item pos at
// (24, 4) in the shared font, transparent, in the DC's text colour. Below a face shorter than
// client, its columns show the class background (COLOR_WINDOW); the leftmost 20 columns and
// whatever lies right of the face are left alone. Trace first; a null state block draws
// nothing.
void DrawPopMenu(HDC dc, const RECT& client, const PopMenuState* state);

// Creates a selector at (x, y), 20 pixels wider than its face and as high as the taller of
// the face and the button: builds its popup menu from count labels (item p gets id 5001 + p),
// starts at item pos, and puts the id-5000 push button (images buttonPressed and
// buttonNormal, meant 20 pixels wide) in its left 20 columns, so that a click on it opens the
// menu. The images stay their supplier's; the menu is the selector's. Null when refused.
HWND CreatePopMenu(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP face,
                   HBITMAP buttonPressed, HBITMAP buttonNormal, const char* const* labels,
                   int count, int pos);
