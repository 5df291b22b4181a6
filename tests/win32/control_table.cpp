#include "tests/win32/control_table.h"

#include <gtest/gtest.h>

#include "tests/win32/win32_test_support.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

void PaintMagenta(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    HDC dc = GetDC(control);
    HBRUSH brush = CreateSolidBrush(kMagenta);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    ReleaseDC(control, dc);
    ValidateRect(control, nullptr);
}

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

Repaint Observed(HWND control) {
    const bool invalid = GetUpdateRect(control, nullptr, FALSE) != FALSE;
    const bool drawn = DrawnOver(control);
    if (drawn && !invalid) return Repaint::AtOnce;
    if (!drawn && invalid) return Repaint::Invalidated;
    if (!drawn && !invalid) return Repaint::None;
    return Repaint::Any;  // both: reported as a mismatch unless Any was expected
}

const char* Name(Repaint r) {
    switch (r) {
    case Repaint::None: return "none";
    case Repaint::AtOnce: return "at once";
    case Repaint::Invalidated: return "invalidated";
    default: return "drawn and invalidated";
    }
}

}  // namespace

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

void RunMessageTable(HWND control, const std::vector<MessageRow>& rows, const ValueReader& read) {
    ASSERT_TRUE(IsWindowVisible(control));
    DrainPostedExceptInput();
    for (size_t i = 0; i < rows.size(); ++i) {
        const MessageRow& row = rows[i];
        SCOPED_TRACE(testing::Message() << "row " << i << ": message 0x" << std::hex << row.message
                                        << " wParam 0x" << row.wParam << " lParam 0x" << row.lParam);
        PaintMagenta(control);
        EXPECT_EQ(SendMessageA(control, row.message, row.wParam, row.lParam), row.result);
        if (row.repaint != Repaint::Any) {
            EXPECT_STREQ(Name(Observed(control)), Name(row.repaint));
        }
        if (read && row.value != kAnyValue) {
            EXPECT_EQ(read(control), row.value);
        }
        EXPECT_EQ(DrainPostedExceptInput(), Expected(control, row.posted));
    }
    ValidateRect(control, nullptr);
}
