// placeholder: replaced by the spinner's implementation
#include "controls/digitex.h"
ATOM RegisterDigitExClass(HINSTANCE) { return 0; }
BOOL UnregisterDigitExClass() { return FALSE; }
HWND CreateDigitEx(HINSTANCE, HWND, int, int, int, int, int, COLORREF, COLORREF, int, int) { return nullptr; }
