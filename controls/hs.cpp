// Horizontal slider, class Zut_HSClass. The left button drags the bar (each move inside and
// the release post WM_HSCROLL, always SB_THUMBPOSITION), the wheel steps it by a sixteenth of
// the range within 0..maxPos, a right release posts WM_COMMAND code 2. SBM_SETPOS sets the
// position unclamped; WM_ENABLE switches the look; three private messages set the value
// text's offset, display range and suffix. Every change repaints at once.
#include "controls/hs.h"

#include "controls/control_math.h"
#include "controls/hs_rules.h"
#include "controls/toolkit.h"

// 1. State block: HSState (hs.h), twelve 32-bit fields and 40 characters on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(HSState) == 88, "the horizontal slider's block is 88 bytes");
static_assert(sizeof(HSState::caption) == hs_rules::kCaptionSize && sizeof(HSState::suffix) == hs_rules::kSuffixSize,
              "the rules read the block's arrays");

namespace {

// 2. Constants and the class-wide variable.
constexpr char kClassName[] = "Zut_HSClass";
constexpr COLORREF kBarColour = RGB(0, 130, 120);
constexpr int kQuietTrace = 0;   // trace flag of settled paints
constexpr int kActiveTrace = 1;  // trace flag of paints while pressed or dragged
constexpr int kTextTop = 4;
constexpr int kCaptionLeft = 4;
constexpr int kThumbTop = 1;
constexpr WORD kRightButtonCode = 2;

RECT g_hsRect;  // shared by every horizontal slider: the client rectangle before each paint and hit test

// 3. Arithmetic: hs_rules.h (pointer mapping, wheel step, bar, thumb, value text).

}  // namespace

// 4. Paint routine.
void DrawHS(HDC dc, const RECT& client, int flag, const HSState* state) {
    if (!state) return;
    DebugTrace("Zut_DrawHS %d\n", flag);
    const int width = client.right - client.left, height = client.bottom - client.top;
    Composition compose(dc, width, height);
    MemoryDC source(dc);
    OwnedGdi<HBRUSH> brush(CreateSolidBrush(kBarColour));
    OwnedGdi<HPEN> pen(CreatePen(PS_NULL, 0, 0));
    SelectGuard keepSource(source, state->backBitmap);
    BitBlt(compose, 0, 0, width, height, source, 0, 0, SRCCOPY);

    const LONG length = hs_rules::BarLength(state->pos, state->trackRight, state->trackLeft, state->maxPos);
    SelectGuard keepPen(compose, pen);
    SelectGuard keepBrush(compose, brush);
    const hs_rules::Rect bar =
        hs_rules::BarRect(state->enabled != 0, length, {client.left, client.top, client.right, client.bottom});
    Rectangle(compose, bar.left, bar.top, bar.right, bar.bottom);  // the null pen: interior only

    SelectGuard keepFont(compose, SharedFont);
    SetBkMode(compose, TRANSPARENT);
    if (const int captionLength = control_math::BoundedLength(state->caption)) {
        TextOutA(compose, kCaptionLeft, kTextTop, state->caption, captionLength);
        char text[hs_rules::kValueTextSize];
        const LONG value = hs_rules::DisplayValue(state->pos, state->displayOffset, state->rangeLow,
                                                  state->rangeHigh, state->maxPos);
        const int n = hs_rules::FormatValueText(text, value, state->suffix);
        if (state->enabled) TextOutA(compose, hs_rules::ValueTextLeft(client.right, n), kTextTop, text, n);
    }

    HBITMAP thumb = state->focused == 1 ? state->thumbFocusBitmap : state->thumbBitmap;
    SelectGuard keepThumb(source, thumb);
    const SIZE size = BitmapSize(thumb);
    if (state->enabled)
        BitBlt(compose, hs_rules::ThumbLeft(length, size.cx), kThumbTop, size.cx, size.cy, source, 0, 0, SRCCOPY);
    BitBlt(dc, 0, 0, width, height, compose, 0, 0, SRCCOPY);
}

namespace {

void Repaint(HWND window, int flag) {
    RepaintAtOnce(window, g_hsRect, DrawHS, flag);
}

void Notify(HWND window) { PostPositionNotify<HSState>(window, WM_HSCROLL, SB_THUMBPOSITION); }

// 5. Handlers.

LRESULT OnFocus(HWND window, LONG focused) {
    if (HSState* state = GetStateBlock<HSState>(window)) state->focused = focused;
    Repaint(window, kQuietTrace);
    return 0;
}

// Disabling also puts the position back to 0; enabling keeps it. Not the default procedure's.
LRESULT OnEnable(HWND window, LONG enabled) {
    if (HSState* state = GetStateBlock<HSState>(window)) {
        state->enabled = enabled;
        if (enabled == 0) state->pos = 0;
    }
    Repaint(window, kQuietTrace);
    return 0;
}

// Taken as it comes, unclamped; the parent is not told.
LRESULT OnSetPos(HWND window, LONG pos) {
    if (HSState* state = GetStateBlock<HSState>(window)) state->pos = pos;
    Repaint(window, kQuietTrace);
    return 0;
}

void FollowPointer(HWND window, POINT pointer) {
    if (HSState* state = GetStateBlock<HSState>(window))
        state->pos = hs_rules::PointerPosition(static_cast<WORD>(pointer.x), state->trackRight, state->trackLeft,
                                               state->maxPos);
}

// Any key-state flag drags (the slider keeps no dragging flag); outside the client area
// nothing happens. A move without flags is a hover.
LRESULT OnMouseMove(HWND window, WPARAM keys, LPARAM lParam) {
    if (keys == 0) {
        FocusOnHover(window);
        return 0;
    }
    POINT pointer;
    if (!PointerInside(window, g_hsRect, lParam, &pointer)) return 0;
    FollowPointer(window, pointer);
    Repaint(window, kActiveTrace);
    Notify(window);
    return 0;
}

// The press only moves the bar: no notification, no focus change.
LRESULT OnLeftButtonDown(HWND window, LPARAM lParam) {
    SetCapture(window);
    FollowPointer(window, PointerOf(lParam));  // the block fetched again: SetCapture sends
    Repaint(window, kActiveTrace);
    return 0;
}

// Whether or not this slider saw the press.
LRESULT OnLeftButtonUp(HWND window) {
    ReleaseCapture();
    Repaint(window, kQuietTrace);
    Notify(window);
    return 0;
}

LRESULT OnRightButtonUp(HWND window) {
    PostCommandNotify(window, kRightButtonCode);
    return PositionOf<HSState>(window);
}

LRESULT OnMouseWheel(HWND window, short delta) {
    if (HSState* state = GetStateBlock<HSState>(window))
        state->pos = hs_rules::WheelPosition(state->pos, delta, state->maxPos);
    Repaint(window, kQuietTrace);
    Notify(window);
    return 0;
}

// The three private messages store and do not repaint; the suffix keeps at most 7 characters.
LRESULT OnSetOffset(HWND window, LONG offset) {
    if (HSState* state = GetStateBlock<HSState>(window)) state->displayOffset = offset;
    return 0;
}

LRESULT OnSetSuffix(HWND window, LPCSTR suffix) {
    if (HSState* state = GetStateBlock<HSState>(window)) control_math::CopyBounded(state->suffix, suffix);
    return 0;
}

LRESULT OnSetRange(HWND window, WORD low, WORD high, LPCSTR suffix) {
    if (HSState* state = GetStateBlock<HSState>(window)) {
        state->rangeLow = low;
        state->rangeHigh = high;
        control_math::CopyBounded(state->suffix, suffix);
    }
    return 0;
}

}  // namespace

// 6. Window procedure. Keys go to the default procedure although WM_GETDLGCODE asks for them.
LRESULT CALLBACK HSWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:      return CreateStateBlock<HSState>(window);
    case WM_DESTROY:     return DestroyStateBlock(window);  // the images are the supplier's
    case WM_ERASEBKGND:  return 0;
    case WM_PAINT:       return PaintMessage(window, g_hsRect, DrawHS, kQuietTrace);
    case WM_SETFOCUS:    return OnFocus(window, 1);
    case WM_KILLFOCUS:   return OnFocus(window, 0);
    case WM_ENABLE:      return OnEnable(window, LongOf(wParam));
    case WM_GETDLGCODE:  return DLGC_WANTALLKEYS;
    case SBM_SETPOS:     return OnSetPos(window, LongOf(wParam));
    case SBM_GETPOS:     return PositionOf<HSState>(window);
    case WM_MOUSEMOVE:   return OnMouseMove(window, wParam, lParam);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window, lParam);
    case WM_LBUTTONUP:   return OnLeftButtonUp(window);
    case WM_RBUTTONUP:   return OnRightButtonUp(window);
    case WM_MOUSEWHEEL:  return OnMouseWheel(window, WheelDeltaOf(wParam));
    case HSM_SETOFFSET:  return OnSetOffset(window, LongOf(wParam));
    case HSM_SETSUFFIX:  return OnSetSuffix(window, reinterpret_cast<LPCSTR>(lParam));
    case HSM_SETRANGE:   return OnSetRange(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<LPCSTR>(lParam));
    default:             return DefWindowProcA(window, message, wParam, lParam);
    }
}

// 7. Creation.
HWND CreateHS(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height, HBITMAP back,
              HBITMAP thumb, HBITMAP thumbFocus, int trackLeft, int trackRight, int maxPos, LPCSTR caption,
              LPCSTR suffix, short rangeLow, short rangeHigh) {
    const ControlPlace place = {instance, parent, id, x, y, width, height};
    return CreateControl<HSState>(kClassName, "", place, [&](HWND, HSState& state) {
        state.trackRight = trackRight;
        state.trackLeft = trackLeft;
        state.maxPos = maxPos;
        state.pos = 0;
        state.focused = 0;
        state.enabled = 1;
        state.displayOffset = 0;
        state.rangeLow = static_cast<WORD>(rangeLow);
        state.rangeHigh = static_cast<WORD>(rangeHigh);
        state.backBitmap = back;
        state.thumbBitmap = thumb;
        state.thumbFocusBitmap = thumbFocus;
        control_math::CopyBounded(state.caption, caption);
        control_math::CopyBounded(state.suffix, suffix);
    });
}
