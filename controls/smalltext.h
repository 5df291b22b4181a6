// Small text label, class Zut_SmallTextClass: one line of text in the toolkit's shared font,
// centred at the top of a rectangle of a background colour. WM_SETTEXT sets the text shown
// (and answers 0, so SetWindowTextA reports FALSE); WM_GETTEXT keeps answering the window's
// creation name.
#pragma once

#include <windows.h>

// Filled by hand through GWLP_USERDATA by a creator that does not use CreateSmallText.
struct SmallTextState {
    COLORREF textColor;  // colour of the text
    COLORREF backColor;  // colour filling the whole client area
    char text[64];       // the text shown, NUL-terminated: at most 63 characters
};

// A label's colours until its creator sets others, and the creation function's unless the
// caller gives others: black on white.
constexpr COLORREF kSmallTextDefaultText = RGB(0, 0, 0);
constexpr COLORREF kSmallTextDefaultBack = RGB(255, 255, 255);

// The paint routine, straight into the DC: fills client with backColor, then draws the text
// in SharedFont and textColor, transparent, its top centre at half client's width and y 0.
// The font it replaces is selected back. No trace; a null state block draws nothing.
void DrawSmallText(HDC dc, const RECT& client, const SmallTextState* state);

// Creates a label of the given size and colours with an empty text, shown; the text is set
// with WM_SETTEXT (SetWindowTextA). Null when creation was refused.
HWND CreateSmallText(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height,
                     COLORREF textColor = kSmallTextDefaultText,
                     COLORREF backColor = kSmallTextDefaultBack);
