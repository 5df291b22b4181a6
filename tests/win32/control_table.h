// A control's behaviour as a table of rows, run by one runner: each row sends one message and
// checks its result, the value the table's reader sees afterwards, exactly the notifications
// the control posted to its parent (built from the control's own id and handle: give it an
// id above 0xFFFF and every command check also checks the 16-bit cut), and how it repainted:
// at once (on screen before the message returned, nothing invalid), by invalidation (nothing
// drawn yet, an update region), or not at all.
#pragma once

#include <windows.h>

#include <climits>
#include <functional>
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

constexpr long long kAnyValue = LLONG_MIN;

struct MessageRow {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result;
    long long value;              // what the reader sees afterwards; kAnyValue: not checked
    std::vector<Notice> posted;   // every notification posted by this message, in order
    Repaint repaint;
};

using ValueReader = std::function<long long(HWND)>;

// Runs the rows in order on a shown control. The control's client area is painted magenta
// (a colour no test image holds) and validated before each row.
void RunMessageTable(HWND control, const std::vector<MessageRow>& rows, const ValueReader& read = nullptr);

// The notifications a list of notices stands for, from this control.
std::vector<PostedMessage> Expected(HWND control, const std::vector<Notice>& notices);
