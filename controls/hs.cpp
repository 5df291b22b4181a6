// Horizontal slider, class Zut_HSClass. The left button drags the bar (each move inside and
// the release post WM_HSCROLL, always SB_THUMBPOSITION), the wheel steps it by a sixteenth of
// the range within 0..maxPos, a right release posts WM_COMMAND code 2. SBM_SETPOS sets the
// position unclamped; WM_ENABLE switches the look; three private messages set the value
// text's offset, display range and suffix. Every change repaints at once.
#include "controls/hs.h"

#include "controls/control_math.h"
#include "controls/hs_rules.h"
#include "controls/toolkit_class.h"

// 1. State block: HSState (hs.h), twelve 32-bit fields and 40 characters on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(HSState) == 88, "the horizontal slider's state block is 88 bytes");
static_assert(sizeof(HSState::caption) == hs_rules::kCaptionSize && sizeof(HSState::suffix) == hs_rules::kSuffixSize,
              "the rules read the state block's arrays");

namespace {

// 2. Constants and the class-wide variable.
constexpr COLORREF kBarColour = RGB(0, 130, 120);
constexpr int kTextTop = 4;
constexpr int kCaptionLeft = 4;
constexpr int kThumbTop = 1;

RECT g_hsRect;  // shared by every horizontal slider: the client rectangle before each paint and hit test

// 3. Arithmetic: hs_rules.h (pointer mapping, wheel step, bar, thumb, value text).

}  // namespace

// 4. Paint routine.
void DrawHS(HDC dc, const RECT& client, HSTrace trace, const HSState* state) {
    if (!state) return;
    DebugTrace("Zut_DrawHS %d\n", trace);
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

void Repaint(HWND window, HSTrace trace) {
    RepaintAtOnce(window, g_hsRect, DrawHS, trace);
}

void Notify(HWND window) { PostPositionNotify<HSState>(window, WM_HSCROLL, SB_THUMBPOSITION); }

// The bar follows the pointer: on the press, and on each move inside while a flag is held
// (which also notifies).
void Track(HWND window, POINT pointer) {
    if (HSState* state = GetStateBlock<HSState>(window))
        state->pos = hs_rules::PointerPosition(static_cast<WORD>(pointer.x), state->trackRight, state->trackLeft,
                                               state->maxPos);
    Repaint(window, kHSActiveTrace);
}

// The release and the wheel settle.
void Settle(HWND window) {
    Repaint(window, kHSQuietTrace);
    Notify(window);
}

// 5. Handlers.

// Disabling also puts the position back to 0; enabling keeps it. Not the default procedure's.
LRESULT OnEnable(HWND window, LONG enabled) {
    if (HSState* state = GetStateBlock<HSState>(window)) {
        state->enabled = enabled;
        if (enabled == 0) state->pos = 0;
    }
    Repaint(window, kHSQuietTrace);
    return 0;
}

// Outside the client area a drag does nothing.
LRESULT OnMouseMove(HWND window, WPARAM keys, LPARAM lParam) {
    DragMove(window, keys, lParam, g_hsRect, TrackThenNotify<Track, Notify>);
    return 0;
}

LRESULT OnRightButtonUp(HWND window) {
    PostCommandNotify(window, kRightButtonCode);
    return PositionOf<HSState>(window);
}

LRESULT OnMouseWheel(HWND window, short delta) {
    if (HSState* state = GetStateBlock<HSState>(window))
        state->pos = hs_rules::WheelPosition(state->pos, delta, state->maxPos);
    Settle(window);
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

// 6. Window procedure. Keys go to the default procedure although WM_GETDLGCODE asks for them.
// The press only moves the bar: no notification, no focus change. SBM_SETPOS takes the
// position as it comes, unclamped, and does not tell the parent. The images are the supplier's.
LRESULT CALLBACK HSWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:       return PaintMessage(window, g_hsRect, DrawHS, kHSQuietTrace);
    case WM_SETFOCUS:    return StoreAndRepaint(window, &HSState::focused, 1, g_hsRect, DrawHS, kHSQuietTrace);
    case WM_KILLFOCUS:   return StoreAndRepaint(window, &HSState::focused, 0, g_hsRect, DrawHS, kHSQuietTrace);
    case WM_ENABLE:      return OnEnable(window, LongOf(wParam));
    case SBM_SETPOS:     return StoreAndRepaint(window, &HSState::pos, LongOf(wParam), g_hsRect, DrawHS, kHSQuietTrace);
    case SBM_GETPOS:     return PositionOf<HSState>(window);
    case WM_MOUSEMOVE:   return OnMouseMove(window, wParam, lParam);
    case WM_LBUTTONDOWN: return DragPress(window, lParam, Track);
    case WM_LBUTTONUP:   return DragRelease(window, Settle);
    case WM_RBUTTONUP:   return OnRightButtonUp(window);
    case WM_MOUSEWHEEL:  return OnMouseWheel(window, WheelDeltaOf(wParam));
    case HSM_SETOFFSET:  return OnSetOffset(window, LongOf(wParam));
    case HSM_SETSUFFIX:  return OnSetSuffix(window, reinterpret_cast<LPCSTR>(lParam));
    case HSM_SETRANGE:   return OnSetRange(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<LPCSTR>(lParam));
    case WM_GETOBJECT:   return AnswerGetObject(window, wParam, lParam, kHSAccess);
    default:             return ToolkitDefault<HSState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateHS(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height, HBITMAP back,
              HBITMAP thumb, HBITMAP thumbFocus, int trackLeft, int trackRight, int maxPos, LPCSTR caption,
              LPCSTR suffix, short rangeLow, short rangeHigh) {
    const ControlPlace place = {instance, parent, id, x, y, width, height};
    return CreateControl<HSState>(kHSClass, place, [&](HWND, HSState& state) {
        // The whole state block, in field order: at position 0, unfocused, enabled, no offset.
        state = HSState{trackRight, trackLeft, maxPos, 0, 0, 1, 0, static_cast<WORD>(rangeLow),
                        static_cast<WORD>(rangeHigh), back, thumb, thumbFocus, {}, {}};
        control_math::CopyBounded(state.caption, caption);
        control_math::CopyBounded(state.suffix, suffix);
    });
}

// 8. Registration row.
extern const ToolkitClass kHSClass = {"Zut_HSClass", HSWindowProc, nullptr, &kHSAccess};
