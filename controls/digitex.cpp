// Two-digit spinner, class Zut_DigitExClass. The left button and the wheel step the position
// with wrap-around, the right button resets it, SBM_SETPOS / SBM_GETPOS set and read it. Every
// change invalidates; only the wheel notifies the parent.
#include "controls/digitex.h"

#include "controls/digitex_rules.h"
#include "controls/toolkit_class.h"

// 1. State block: DigitExState (digitex.h), six 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(DigitExState) == 24, "the spinner's state block is 24 bytes");

namespace {

// 2. Constants. No class-wide variables.
constexpr int kFontWeight = FW_BOLD;                            // 700
constexpr DWORD kFontQuality = ANTIALIASED_QUALITY;             // 4
constexpr DWORD kFontPitchAndFamily = FF_ROMAN | DEFAULT_PITCH; // 0x10
constexpr char kFontFace[] = "Arial";

// 3. Arithmetic: digitex_rules.h (wrap rule, click and wheel steps).

}  // namespace

// 4. Paint routine: the whole client area is composed off-screen (background, then the digits
// in transparent mode, centred horizontally at the top) and copied with one BitBlt.
void DrawDigitEx(HDC dc, const RECT& client, const DigitExState* state) {
    if (!state) return;
    char text[16];
    wsprintfA(text, "%02d", static_cast<int>(state->pos));
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    Composition memory(dc, width, height);
    {
        OwnedGdi<HBRUSH> brush(CreateSolidBrush(state->backColor));
        FillRect(memory, &client, brush);
    }
    {
        SelectGuard keepFont(memory, state->font);  // nothing selected for a null font
        SetBkMode(memory, TRANSPARENT);
        SetTextColor(memory, state->textColor);
        RECT textRect = client;
        DrawTextA(memory, text, -1, &textRect, DT_CENTER);
    }
    BitBlt(dc, client.left, client.top, width, height, memory, 0, 0, SRCCOPY);
}

namespace {

// 5. Handlers.

// maxPos and resetPos are the creation function's; the state block is zero-filled, so until it
// sets them they read 0.
LRESULT OnCreate(HWND window) {
    return CreateStateBlock<DigitExState>(window, [](HWND, DigitExState& state) {
        state.font = nullptr;
        state.pos = 0;
        state.textColor = 0;
        state.backColor = 0;
    });
}

LRESULT OnDestroy(HWND window) {
    DigitExState* state = GetStateBlock<DigitExState>(window);
    if (state && state->font) DeleteObject(state->font);
    FreeStateBlock(window);  // also without a block: the control's record goes
    return 0;
}

LRESULT OnPaint(HWND window) {
    RECT client;
    return PaintMessage(window, client, DrawDigitEx);
}

// The spinner takes the font over; the one it held before is neither deleted nor used again.
LRESULT OnSetFont(HWND window, HFONT font) {
    if (DigitExState* state = GetStateBlock<DigitExState>(window)) state->font = font;
    return 0;
}

// Every position change ends here: the whole client area is invalidated (with erase), never
// painted at once.
void MoveTo(HWND window, DigitExState* state, LONG pos) {
    state->pos = pos;
    InvalidateRect(window, nullptr, TRUE);
}

LRESULT OnSetPos(HWND window, LONG pos) {
    DigitExState* state = GetStateBlock<DigitExState>(window);
    if (state) MoveTo(window, state, digitex_rules::WrapPosition(pos, state->maxPos, state->resetPos));
    return 0;
}

LRESULT OnLeftButtonDown(HWND window) {
    DigitExState* state = GetStateBlock<DigitExState>(window);
    if (state) MoveTo(window, state, digitex_rules::ClickPosition(state->pos, state->maxPos, state->resetPos));
    return 0;
}

LRESULT OnRightButtonDown(HWND window) {
    DigitExState* state = GetStateBlock<DigitExState>(window);
    if (state) MoveTo(window, state, state->resetPos);
    return 0;
}

// The wheel is the spinner's one notifying input: WM_VSCROLL, SB_THUMBPOSITION, new position.
LRESULT OnMouseWheel(HWND window, short delta) {
    DigitExState* state = GetStateBlock<DigitExState>(window);
    if (!state) return 0;
    MoveTo(window, state, digitex_rules::WheelPosition(state->pos, delta, state->maxPos, state->resetPos));
    PostScrollNotify(window, WM_VSCROLL, SB_THUMBPOSITION, state->pos);
    return 0;
}

// 6. Window procedure. Unlike the other classes, the spinner answers WM_ERASEBKGND with 1.
LRESULT CALLBACK DigitExWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:      return OnCreate(window);
    case WM_DESTROY:     return OnDestroy(window);
    case WM_PAINT:       return OnPaint(window);
    case WM_ERASEBKGND:  return 1;
    case WM_SETFONT:     return OnSetFont(window, reinterpret_cast<HFONT>(wParam));
    case SBM_SETPOS:     return OnSetPos(window, LongOf(wParam));
    case SBM_GETPOS:     return PositionOf<DigitExState>(window);
    case WM_MOUSEMOVE:   return OnHover(window);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window);
    case WM_RBUTTONDOWN: return OnRightButtonDown(window);
    case WM_MOUSEWHEEL:  return OnMouseWheel(window, WheelDeltaOf(wParam));
    case WM_GETOBJECT:   return AnswerGetObject(window, wParam, lParam, kDigitExAccess);
    default:             return ToolkitDefault<DigitExState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.

HWND CreateDigitEx(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height,
                   COLORREF textColor, COLORREF backColor, int maxPos, int resetPos) {
    const ControlPlace place = {instance, parent, id, x, y, width, height};
    return CreateControl<DigitExState>(kDigitExClass, place, [&](HWND window, DigitExState& state) {
        state.maxPos = maxPos;
        state.pos = 0;
        state.resetPos = resetPos;
        state.textColor = textColor;
        state.backColor = backColor;
        state.font = CreateFontA(height, 0, 0, 0, kFontWeight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, kFontQuality,
                                 kFontPitchAndFamily, kFontFace);
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), 0);
    });
}

// 8. Registration row.
extern const ToolkitClass kDigitExClass = {"Zut_DigitExClass", DigitExWindowProc, kPsizeCursor, &kDigitExAccess};
