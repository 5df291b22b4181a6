// A control's behaviour as a table of rows, run by one runner: each row sends one message and
// checks its result, the readings it names afterwards, exactly the notifications the control
// posted to its parent (built from the control's own id and handle: give it an id above 0xFFFF
// and every command check also checks the 16-bit cut), and how it repainted: at once (on
// screen before the message returned, nothing invalid), by invalidation (nothing drawn yet,
// the whole client area invalid and marked for erasing), or not at all.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <vector>

#include "tests/win32/win32_test_support.h"

enum class Repaint { None, AtOnce, Invalidated, Any };

// One expected notification.
struct Notice {
    enum Kind { Command, CommandWholeId, Scroll } kind;
    UINT message;  // WM_COMMAND, WM_VSCROLL or WM_HSCROLL
    int code;      // the command code, or the scroll request
    int pos;       // the scroll position (its low 16 bits travel)
};
inline Notice Command(int code) { return {Notice::Command, WM_COMMAND, code, 0}; }
inline Notice CommandWholeId() { return {Notice::CommandWholeId, WM_COMMAND, 0, 0}; }
inline Notice VScroll(int request, int pos) { return {Notice::Scroll, WM_VSCROLL, request, pos}; }
inline Notice HScroll(int request, int pos) { return {Notice::Scroll, WM_HSCROLL, request, pos}; }

// What a row expects to read once its message has returned, each reading by name; a reading
// the row leaves out is not checked. Rows join them with +: Position(63) + Focused(true).
struct Readings {
    std::optional<long long> position;    // the control's position (or level)
    std::optional<long long> focused;     // 1 while focused, 0 otherwise
    std::optional<long long> captured;    // 1 while the control holds the mouse capture
    std::optional<long long> passedOn;    // times the position was passed on during the row
    std::optional<long long> check;       // the check state
    std::optional<long long> pixel;       // the colour on screen at client (1, 1)
    std::optional<long long> image;       // which of the table's images the screen shows
    std::optional<long long> cells;       // the glyph cells shown, as ShownCells reads them
    std::optional<long long> textLength;  // the length of the stored text
};
Readings operator+(Readings a, const Readings& b);
inline Readings Position(long long v) { Readings r; r.position = v; return r; }
inline Readings Focused(bool v) { Readings r; r.focused = v; return r; }
inline Readings Captured(bool v) { Readings r; r.captured = v; return r; }
inline Readings PassedOn(long long times) { Readings r; r.passedOn = times; return r; }
inline Readings CheckState(long long v) { Readings r; r.check = v; return r; }
inline Readings Pixel(COLORREF colour) { Readings r; r.pixel = colour; return r; }
inline Readings Image(long long index) { Readings r; r.image = index; return r; }
inline Readings Cells(const std::vector<int>& cells) { Readings r; r.cells = CellCode(cells); return r; }
inline Readings TextLength(long long v) { Readings r; r.textLength = v; return r; }

struct MessageRow {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    Readings reads;               // checked after the message
    std::vector<Notice> posted;   // every notification posted by this message, in order
    Repaint repaint;
};

// How the table's control gives each reading. Without a reader of the table's, the position
// is the answer to SBM_GETPOS, the check state the answer to BM_GETCHECK, focus and capture
// the system's, the pixel read from the screen; any other reading a row names fails without
// one. Every reader the table gives is called after every row, named or not, so a reader may
// count what happened during the row.
using Reader = std::function<long long(HWND)>;
struct Readers {
    Reader position, focused, captured, passedOn, check, pixel, image, cells, textLength;
};

// Runs the rows in order on a shown control. The control's client area is painted magenta
// (a colour no test image holds) and validated before each row.
void RunMessageTable(HWND control, const std::vector<MessageRow>& rows, const Readers& readers = {});

// Paints the control's client area with one colour on screen and validates it, so that a
// repaint (or its absence) shows.
void PaintOver(HWND control, COLORREF colour);

// The notifications a list of notices stands for, from this control.
std::vector<PostedMessage> Expected(HWND control, const std::vector<Notice>& notices);
