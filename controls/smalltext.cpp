// Small text label, class Zut_SmallTextClass. A passive label: WM_SETTEXT copies the text
// (cut to 63 characters) and invalidates; WM_PAINT draws it. Everything else, WM_GETTEXT and
// WM_GETDLGCODE included, goes to DefWindowProcA: the one class that leaves the dialog code
// to the system.
#include "controls/smalltext.h"

#include "controls/control_math.h"
#include "controls/smalltext_rules.h"
#include "controls/toolkit_class.h"

// 1. State block: SmallTextState (smalltext.h), two colours and 64 characters.
static_assert(sizeof(SmallTextState) == 72, "the label's state block is 72 bytes");

namespace {

// 2. Constants and class-wide variables: none.

// 3. Arithmetic: smalltext_rules.h (the text's position); the text's bounded copy is
// control_math.h's CopyBounded.

}  // namespace

// 4. Paint routine.
void DrawSmallText(HDC dc, const RECT& client, const SmallTextState* state) {
    if (!state) return;
    {
        OwnedGdi<HBRUSH> brush(CreateSolidBrush(state->backColor));
        FillRect(dc, &client, brush);
    }
    SelectGuard keepFont(dc, SharedFont);  // nothing selected without a shared font
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, state->textColor);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutA(dc, smalltext_rules::TextX(client.left, client.right), 0, state->text,
             control_math::BoundedLength(state->text));
}

namespace {

// 5. Handlers.

// Every label, also one made with CreateWindowExA alone, starts with an empty text in the
// creation function's default colours, black on white, until its creator sets others.
LRESULT OnCreate(HWND window) {
    return CreateStateBlock<SmallTextState>(window, [](HWND, SmallTextState& state) {
        state.textColor = kSmallTextDefaultText;
        state.backColor = kSmallTextDefaultBack;
    });
}

// The text is cut to what the state block holds; the window's own title is left alone, and the
// answer 0 makes SetWindowTextA report FALSE.
LRESULT OnSetText(HWND window, const char* text) {
    if (SmallTextState* state = GetStateBlock<SmallTextState>(window))
        control_math::CopyBounded(state->text, text);
    InvalidateRect(window, nullptr, TRUE);
    return 0;
}

LRESULT OnPaint(HWND window) {
    RECT client;
    return PaintMessage(window, client, DrawSmallText);
}

// 6. Window procedure. The one class that leaves WM_GETDLGCODE to DefWindowProcA.
LRESULT CALLBACK SmallTextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:     return OnCreate(window);
    case WM_SETTEXT:    return OnSetText(window, reinterpret_cast<const char*>(lParam));
    case WM_PAINT:      return OnPaint(window);
    case WM_GETDLGCODE: return DefWindowProcA(window, message, wParam, lParam);
    case WM_GETOBJECT:  return AnswerGetObject(window, wParam, lParam, kSmallTextAccess);
    default:            return ToolkitDefault<SmallTextState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateSmallText(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height,
                     COLORREF textColor, COLORREF backColor) {
    const ControlPlace place = {instance, parent, id, x, y, width, height};
    return CreateControl<SmallTextState>(kSmallTextClass, place, [&](HWND, SmallTextState& state) {
        state.textColor = textColor;
        state.backColor = backColor;
        state.text[0] = '\0';
    });
}

// 8. Registration row.
extern const ToolkitClass kSmallTextClass = {"Zut_SmallTextClass", SmallTextWindowProc, nullptr, &kSmallTextAccess};
