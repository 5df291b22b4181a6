// The bitmap control toolkit, for a program that uses its controls: the classes'
// registration, the bitmap cache and the shared font. Each class's creation function, state
// block and paint routine are in its own header (button.h ... smalltext.h).
#pragma once

#include <windows.h>

// Registers the fifteen classes (instance: the module the windows belong to) and creates the
// shared font; unregisters them, frees the bitmap cache and deletes the font.
void RegisterControlClasses(HINSTANCE instance);
void UnregisterControlClasses();

// The toolkit's one text font, Arial 14, weight 400; null before registration.
extern HFONT SharedFont;

// Bitmaps by resource name (or integer identifier, MAKEINTRESOURCEA), loaded once and shared;
// the cache owns every handle it returns. A name that does not load shows a "NotFound" box
// and answers null.
HBITMAP LoadCachedBitmap(HINSTANCE instance, LPCSTR name);
void FreeCachedBitmaps();
// Records a bitmap made elsewhere under a name (or integer identifier) as though the cache had
// loaded it: later requests for the name answer it and FreeCachedBitmaps deletes it. False,
// with the bitmap still the caller's, when the name is in the table already or the table
// cannot take it. For a host that draws a class's fixed images itself (the on/off switch asks
// for identifiers 0x81 to 0x84 that a module may not hold).
bool PutCachedBitmap(LPCSTR name, HBITMAP bitmap);

// The control's name for screen readers ("Hours", "Start"), kept beside the control, not in
// its state block; null or "" takes it away. False when it could not be stored. The name goes
// with the control.
bool SetControlName(HWND control, LPCSTR name);
