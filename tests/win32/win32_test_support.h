// Helpers shared by the Win32 tests: queue draining, posted-message capture, pixel probes
// and the GDI leak count.
#pragma once

#include <windows.h>

#include <functional>
#include <ostream>
#include <string>
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
// A message loop of up to rounds x 10 ms that stops once done(kept) is true: dispatches every
// message but the WM_COMMAND messages posted to parent, which it keeps and returns in order.
std::vector<PostedMessage> DispatchKeepingCommands(HWND parent, int rounds,
                                                   const std::function<bool(const std::vector<PostedMessage>&)>& done);

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
// The colour the window shows on screen at a client point, as RGB().
COLORREF ScreenPixel(HWND window, int x, int y);

// The test process's instance (its resources are the program's).
HINSTANCE TestInstance();

// A plain top-level parent window of a test class, shown, for hosting controls; it records
// nothing itself: posted notifications stay in the queue for DrainPosted.
HWND CreateTestParent(int width = 400, int height = 200);

// A top-level window of this process with the class name (test processes share one Wine
// server, so FindWindow alone may answer another test's window).
HWND FindOwnWindow(const char* className);

// Registers the toolkit classes unless they are registered already (a test may have
// unregistered them earlier in the same process).
void EnsureToolkitRegistered();

// Watches, on a thread of its own, for message boxes of one caption: records each box's text
// and presses its OK button. Stops and joins on destruction.
class BoxWatcher {
public:
    explicit BoxWatcher(const char* caption);
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;
    std::vector<std::string> Texts();  // the texts of the boxes dismissed so far
private:
    static DWORD WINAPI Run(LPVOID self);
    std::string caption_;
    HANDLE stop_;
    HANDLE thread_;
    CRITICAL_SECTION lock_;
    std::vector<std::string> texts_;
};

// Records the messages a window receives, through a comctl32 subclass (the window's user
// data, where the toolkit keeps its state, is left alone). comctl32 is loaded at run time.
// Removes the subclass on destruction if the window still exists.
struct LoggedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
class MessageLog {
public:
    explicit MessageLog(HWND window);
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;
    bool attached() const { return attached_; }
    const std::vector<LoggedMessage>& messages() const { return messages_; }
    int Count(UINT message) const;
    void Clear() { messages_.clear(); }
private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND window_;
    bool attached_;
    std::vector<LoggedMessage> messages_;
};

// Calls a function for every message sent to a window of this thread, before its window
// procedure sees it (a WH_CALLWNDPROC hook): for checking what a creation function does, and
// in which order, while the window is being made. One spy at a time.
class SentMessageSpy {
public:
    explicit SentMessageSpy(std::function<void(const CWPSTRUCT&)> onMessage);
    ~SentMessageSpy();
    SentMessageSpy(const SentMessageSpy&) = delete;
    SentMessageSpy& operator=(const SentMessageSpy&) = delete;
    bool attached() const { return hook_ != nullptr; }
private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    std::function<void(const CWPSTRUCT&)> onMessage_;
    HHOOK hook_;
};

// Runs an exercise while the window is the foreground window. Test processes run side by
// side on one display and any of them may take the foreground at any moment, so the exercise
// is repeated (it must be repeatable) until the window stayed in the foreground throughout.
// False when that never happened.
bool RunWhileForeground(HWND window, const std::function<void()>& exercise);

// DrainPosted without the pointer and keyboard input the system queues on its own (a window
// that appears under the pointer gets a WM_MOUSEMOVE): what is left was posted by code.
std::vector<PostedMessage> DrainPostedExceptInput();

// Posted messages compare field by field (for EXPECT_EQ on whole sequences).
inline bool operator==(const PostedMessage& a, const PostedMessage& b) {
    return a.window == b.window && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam;
}
void PrintTo(const PostedMessage& m, std::ostream* os);

// A notification's lParam: the low 16 bits of the control's handle.
inline LPARAM LowHandle(HWND control) {
    return static_cast<LPARAM>(LOWORD(reinterpret_cast<UINT_PTR>(control)));
}

// Number of pixels in which two canvases of one size differ.
int DifferentPixels(const DibCanvas& a, const DibCanvas& b);

// While it lives, the toolkit's state block allocation fails (creation is refused).
class RefuseStateBlocks {
public:
    RefuseStateBlocks();
    ~RefuseStateBlocks();
    RefuseStateBlocks(const RefuseStateBlocks&) = delete;
    RefuseStateBlocks& operator=(const RefuseStateBlocks&) = delete;
private:
    void* (*saved_)(SIZE_T);
};

// A bitmap compatible with the screen, owned by the test: cells of cellWidth x height side
// by side, cell k filled with colours[k] (one colour: a plain image). Deleted with the object.
class TestBitmap {
public:
    TestBitmap(int cellWidth, int height, const std::vector<COLORREF>& colours);
    ~TestBitmap();
    TestBitmap(const TestBitmap&) = delete;
    TestBitmap& operator=(const TestBitmap&) = delete;
    operator HBITMAP() const { return bitmap_; }
    // Hands the bitmap over (to the bitmap cache, say): the object no longer deletes it.
    HBITMAP Release() {
        HBITMAP bitmap = bitmap_;
        bitmap_ = nullptr;
        return bitmap;
    }
private:
    HBITMAP bitmap_;
};

// n colours (n up to 78), each different from the others and from magenta, red, white and
// black: the cells of a test strip, so that a cell copied from the wrong place shows at once.
std::vector<COLORREF> DistinctColours(int n);

// The cells of cellWidth x cellHeight that a canvas shows in a row from its origin, each read
// as the index of its colour among colours (99 for a colour not among them, or for a cell whose
// top-left and bottom-right corners differ), two decimal digits a cell: cells 3, 5, 9 read
// 30509.
long long ShownCells(const DibCanvas& line, int cells, const std::vector<COLORREF>& colours,
                     int cellWidth = 6, int cellHeight = 7);
// What ShownCells answers for these cells.
long long CellCode(const std::vector<int>& cells);

// GDI objects an exercise leaves behind, counted by free handle slots: the exercise runs once
// to warm up (the first DC, font and text output keep a few lasting objects), then again
// between two counts.
int LeakedGdiObjects(const std::function<void()>& exercise);
