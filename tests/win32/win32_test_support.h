// Helpers shared by the Win32 tests: queue draining, posted-message capture, pixel probes
// and the GDI leak count.
#pragma once

#include <windows.h>

#include <vector>

// A message as it came out of the queue.
struct PostedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Removes every queued message of this thread, dispatching sent messages and paints
// (WM_PAINT is dispatched so that windows are validated); returns the posted ones that were
// removed (WM_PAINT, WM_TIMER and the system's own messages excluded).
std::vector<PostedMessage> DrainPosted();

// Dispatches everything pending, including paints.
void PumpMessages();

// Number of GDI objects this process can still create: creates cheap brushes until creation
// fails, then deletes them all. The difference between two counts around an exercise is the
// number of objects it leaked.
int FreeGdiSlots();

// A 32-bpp top-down DIB section selected into a memory DC, for running paint routines into.
class DibCanvas {
public:
    DibCanvas(int width, int height);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;
    HDC dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const;  // as RGB()
    void Fill(COLORREF colour);
    int width() const { return width_; }
    int height() const { return height_; }
private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    DWORD* bits_;
};

// Copies the window's client area (as on screen) into a canvas, via its window DC.
void CaptureClient(HWND window, DibCanvas& canvas);

// The test process's instance (its resources are the program's).
HINSTANCE TestInstance();

// A plain top-level parent window of a test class, shown, for hosting controls; it records
// nothing itself: posted notifications stay in the queue for DrainPosted.
HWND CreateTestParent(int width = 400, int height = 200);
