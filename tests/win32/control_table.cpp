#include "tests/win32/control_table.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/win32/win32_test_support.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

bool DrawnOver(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    if (r.right <= 0 || r.bottom <= 0) return false;
    DibCanvas screen(r.right, r.bottom);
    CaptureClient(control, screen);
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            if (screen.Pixel(x, y) != kMagenta) return true;
    return false;
}

const char* Name(Repaint r) {
    switch (r) {
    case Repaint::None: return "none";
    case Repaint::AtOnce: return "at once";
    case Repaint::Invalidated: return "invalidated";
    default: return "any";
    }
}

// Whether the control's update region is marked for erasing: GetUpdateRect with bErase sends
// WM_ERASEBKGND only then (the control's own answer draws nothing; the region stays invalid).
LRESULT CALLBACK CountErase(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR count) {
    if (message == WM_ERASEBKGND) ++*reinterpret_cast<int*>(count);
    return DefSubclassProc(window, message, wParam, lParam);
}
bool ErasePending(HWND control) {
    int erased = 0;
    SetWindowSubclass(control, CountErase, 1, reinterpret_cast<DWORD_PTR>(&erased));
    RECT update;
    GetUpdateRect(control, &update, TRUE);
    RemoveWindowSubclass(control, CountErase, 1);
    return erased > 0;
}

// How the control repainted, by the names of Name() where one fits.
const char* Observed(HWND control) {
    RECT update = {}, client;
    GetClientRect(control, &client);
    const bool invalid = GetUpdateRect(control, &update, FALSE) != FALSE;
    const bool drawn = DrawnOver(control);
    if (drawn && !invalid) return Name(Repaint::AtOnce);
    if (!drawn && invalid && !EqualRect(&update, &client)) return "part invalidated";
    if (!drawn && invalid) return ErasePending(control) ? Name(Repaint::Invalidated) : "invalidated without erase";
    if (!drawn && !invalid) return Name(Repaint::None);
    return "drawn and invalidated";
}

}  // namespace

void PaintOver(HWND control, COLORREF colour) {
    RECT r;
    GetClientRect(control, &r);
    HDC dc = GetDC(control);
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(control, dc);
    ValidateRect(control, nullptr);
}

std::vector<PostedMessage> Expected(HWND control, const std::vector<Notice>& notices) {
    HWND parent = GetParent(control);
    const DWORD id = static_cast<DWORD>(GetWindowLongA(control, GWL_ID));
    std::vector<PostedMessage> out;
    for (const Notice& n : notices) {
        WPARAM wParam = 0;
        switch (n.kind) {
        case Notice::Command: wParam = MAKEWPARAM(LOWORD(id), n.code); break;
        case Notice::CommandWholeId: wParam = id; break;
        case Notice::Scroll: wParam = MAKEWPARAM(n.code, LOWORD(n.pos)); break;
        }
        out.push_back({parent, n.message, wParam, LowHandle(control)});
    }
    return out;
}

Readings operator+(Readings a, const Readings& b) {
    for (std::optional<long long> Readings::*field :
         {&Readings::position, &Readings::focused, &Readings::captured, &Readings::passedOn, &Readings::check,
          &Readings::pixel, &Readings::image, &Readings::cells, &Readings::textLength})
        if (b.*field) a.*field = b.*field;
    return a;
}

namespace {

struct Reading {
    const char* name;
    std::optional<long long> Readings::*expected;
    Reader Readers::*reader;
    Reader fallback;
};

const Reading kReadings[] = {
    {"position", &Readings::position, &Readers::position, [](HWND c) { return SendMessageA(c, SBM_GETPOS, 0, 0); }},
    {"focused", &Readings::focused, &Readers::focused, [](HWND c) { return GetFocus() == c; }},
    {"captured", &Readings::captured, &Readers::captured, [](HWND c) { return GetCapture() == c; }},
    {"passed on", &Readings::passedOn, &Readers::passedOn, nullptr},
    {"check state", &Readings::check, &Readers::check, [](HWND c) { return SendMessageA(c, BM_GETCHECK, 0, 0); }},
    {"pixel", &Readings::pixel, &Readers::pixel, [](HWND c) { return static_cast<long long>(ScreenPixel(c, 1, 1)); }},
    {"image", &Readings::image, &Readers::image, nullptr},
    {"cells", &Readings::cells, &Readers::cells, nullptr},
    {"text length", &Readings::textLength, &Readers::textLength, nullptr},
};

void CheckReadings(HWND control, const Readings& expected, const Readers& readers) {
    for (const Reading& r : kReadings) {
        const Reader& own = readers.*r.reader;
        const std::optional<long long> read = own ? own(control) : std::optional<long long>();
        const std::optional<long long>& want = expected.*r.expected;
        if (!want) continue;
        if (!own && !r.fallback) {
            ADD_FAILURE() << "the row reads the " << r.name << ", the table has no reader for it";
            continue;
        }
        EXPECT_EQ(read ? *read : r.fallback(control), *want) << "the " << r.name;
    }
}

}  // namespace

void RunMessageTable(HWND control, const std::vector<MessageRow>& rows, const Readers& readers) {
    ASSERT_TRUE(IsWindowVisible(control));
    DrainPostedExceptInput();
    for (size_t i = 0; i < rows.size(); ++i) {
        const MessageRow& row = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << ": message 0x" << std::hex << row.message
                                        << " wParam 0x" << row.wParam << " lParam 0x" << row.lParam);
        PaintOver(control, kMagenta);
        EXPECT_EQ(SendMessageA(control, row.message, row.wParam, row.lParam), row.result);
        if (row.repaint != Repaint::Any) {
            EXPECT_STREQ(Observed(control), Name(row.repaint));
        }
        CheckReadings(control, row.reads, readers);
        EXPECT_EQ(DrainPostedExceptInput(), Expected(control, row.posted));
    }
    ValidateRect(control, nullptr);
}
