// placeholder: replaced by the toggle's implementation
#include "controls/togle.h"
ATOM RegisterTogleClass(HINSTANCE) { return 0; }
BOOL UnregisterTogleClass() { return FALSE; }
HWND CreateTogle(HINSTANCE, HWND, int, int, int, LPCSTR, LPCSTR) { return nullptr; }
