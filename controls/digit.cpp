// Digit display, class Zut_DigitClass. SBM_SETPOS sets the number and repaints at once, also
// when it is unchanged; there is no SBM_GETPOS (the owner keeps the number) and no input.
#include "controls/digit.h"

#include "controls/digit_rules.h"
#include "controls/toolkit_class.h"

// 1. State block: DigitState (digit.h), two 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(DigitState) == 8, "the digit display's state block is 8 bytes");

namespace {

// 2. Constants and the class-wide variable.
constexpr LONG kFirstValue = 359;
constexpr int kGlyphWidth = 6;
constexpr int kGlyphHeight = 7;
constexpr int kDigits = 3;

RECT g_digitRect;  // shared by every digit display: the client rectangle before each paint

// 3. Arithmetic: digit_rules.h (decimal text, glyph choice, the bound for other values).

}  // namespace

// 4. Paint routine.
void DrawDigit(HDC dc, const RECT&, const DigitState* state) {
    if (!state) return;
    char text[digit_rules::kTextBytes];
    digit_rules::DecimalText(state->value, text);
    const digit_rules::Glyphs g = digit_rules::ShownGlyphs(state->value);
    DebugTrace("Zut_DrawDigit %d%d%d=%s\n", g.hundreds, g.tens, g.units, text);
    const int glyphs[kDigits] = {g.hundreds, g.tens, g.units};
    DrawCellLine(dc, state->digitBitmap, glyphs, kDigits, kGlyphWidth, kGlyphHeight);
}

namespace {

// 5. Handlers.

LRESULT OnCreate(HWND window) {
    return CreateStateBlock<DigitState>(window, [](HWND, DigitState& state) {
        state.value = kFirstValue;
        state.digitBitmap = nullptr;
    });
}

// 6. Window procedure. The strip is the supplier's; SBM_GETPOS goes to DefWindowProcA.
LRESULT CALLBACK DigitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:     return OnCreate(window);
    case WM_PAINT:      return PaintMessage(window, g_digitRect, DrawDigit);
    case SBM_SETPOS:    return StoreAndRepaint(window, &DigitState::value, LongOf(wParam), g_digitRect, DrawDigit);
    case WM_GETOBJECT:  return AnswerGetObject(window, wParam, lParam, kDigitAccess);
    default:            return ToolkitDefault<DigitState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateDigit(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP digitBitmap,
                 int value) {
    const ControlPlace place = {instance, parent, id, x, y, kDigits * kGlyphWidth, kGlyphHeight};
    return CreateControl<DigitState>(kDigitClass, place, [&](HWND, DigitState& state) {
        state.value = value;
        state.digitBitmap = digitBitmap;
    });
}

// 8. Registration row.
extern const ToolkitClass kDigitClass = {"Zut_DigitClass", DigitWindowProc, nullptr, &kDigitAccess};
