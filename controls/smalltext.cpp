// Small text label, class Zut_SmallTextClass. A passive label: WM_SETTEXT copies the text
// (cut to 63 characters) and invalidates; WM_PAINT draws it. Everything else, WM_GETTEXT and
// WM_GETDLGCODE included, goes to DefWindowProcA: the one class that leaves the dialog code
// to the system.
#include "controls/smalltext.h"

#include "controls/control_math.h"
#include "controls/smalltext_rules.h"
#include "controls/toolkit.h"

// 1. State block: SmallTextState (smalltext.h), two colours and 64 characters.
static_assert(sizeof(SmallTextState) == 72, "the label's block is 72 bytes");

namespace {

// 2. Constants. No class-wide variables.
constexpr char kClassName[] = "Zut_SmallTextClass";

// 3. Arithmetic: smalltext_rules.h (text position and bounded length).

}  // namespace

// 4. Paint routine.
void DrawSmallText(HDC dc, const RECT& client, int, const SmallTextState* block) {
    if (!block) return;
    {
        OwnedGdi<HBRUSH> brush(CreateSolidBrush(block->backColor));
        FillRect(dc, &client, brush);
    }
    SelectGuard keepFont(dc, SharedFont);  // nothing selected without a shared font
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, block->textColor);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutA(dc, smalltext_rules::TextX(client.left, client.right), 0, block->text,
             control_math::BoundedLength(block->text));
}

namespace {

// 5. Handlers.

// The text is cut to what the block holds; the window's own title is left alone, and the
// answer 0 makes SetWindowTextA report FALSE.
LRESULT OnSetText(HWND window, const char* text) {
    if (SmallTextState* block = GetStateBlock<SmallTextState>(window))
        control_math::CopyBounded(block->text, text);
    InvalidateRect(window, nullptr, TRUE);
    return 0;
}

LRESULT OnPaint(HWND window) {
    RECT client;
    return PaintMessage(window, client, DrawSmallText);
}

}  // namespace

// 6. Window procedure.
LRESULT CALLBACK SmallTextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:     return CreateStateBlock<SmallTextState>(window);
    case WM_DESTROY:    return DestroyStateBlock(window);
    case WM_SETTEXT:    return OnSetText(window, reinterpret_cast<const char*>(lParam));
    case WM_PAINT:      return OnPaint(window);
    case WM_ERASEBKGND: return 0;
    default:            return DefWindowProcA(window, message, wParam, lParam);
    }
}

// 7. Creation.
HWND CreateSmallText(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height,
                     COLORREF textColor, COLORREF backColor) {
    const ControlPlace place = {instance, parent, id, x, y, width, height};
    return CreateControl<SmallTextState>(kClassName, "", place, [&](HWND, SmallTextState& block) {
        block.textColor = textColor;
        block.backColor = backColor;
        block.text[0] = '\0';
    });
}
