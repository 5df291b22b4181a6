// Bitmap text, class Zut_BmpTextClass. WM_SETTEXT takes the text and repaints at once; it
// answers 0 and leaves the window's own caption (what WM_GETTEXT answers) alone. No input.
#include "controls/bmptext.h"

#include "controls/bmptext_rules.h"
#include "controls/toolkit_class.h"

// 1. State block: BmpTextState (bmptext.h), 32 characters and two 32-bit fields on the
// 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(BmpTextState) == 40, "the bitmap text's state block is 40 bytes");

namespace {

// 2. Constants and the class-wide variable.
using bmptext_rules::kCellHeight;
using bmptext_rules::kCellWidth;

RECT g_bmpTextRect;  // shared by every bitmap text: the client rectangle before each paint

// 3. Arithmetic: bmptext_rules.h (cell map, cells drawn, upper-casing).

}  // namespace

// 4. Paint routine.
void DrawBmpText(HDC dc, const RECT&, BmpTextState* state) {
    if (!state) return;
    DebugTrace("Zut_DrawText\n");
    const int count = bmptext_rules::CellsDrawn(state->length);
    bmptext_rules::UpperCaseInPlace(state->text, sizeof state->text);
    int cells[bmptext_rules::kTextBytes];
    for (int i = 0; i < count; ++i) cells[i] = bmptext_rules::CellOf(state->text[i]);
    DrawCellLine(dc, state->charBitmap, cells, count, kCellWidth, kCellHeight);
}

namespace {

// 5. Handlers.

// The window's own text is not touched: DefWindowProc never sees the message.
LRESULT OnSetText(HWND window, LPCSTR text) {
    if (BmpTextState* state = GetStateBlock<BmpTextState>(window))
        control_math::CopyBounded(state->text, text, bmptext_rules::kSetTextLimit);
    RepaintAtOnce(window, g_bmpTextRect, DrawBmpText);
    return 0;
}

// 6. Window procedure. The strip is the supplier's; WM_GETTEXT goes to DefWindowProcA.
LRESULT CALLBACK BmpTextWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETTEXT:    return OnSetText(window, reinterpret_cast<LPCSTR>(lParam));
    case WM_PAINT:      return PaintMessage(window, g_bmpTextRect, DrawBmpText);
    case WM_GETOBJECT:  return AnswerGetObject(window, wParam, lParam, kBmpTextAccess);
    default:            return ToolkitDefault<BmpTextState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateBmpText(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP charBitmap,
                   int length, LPCSTR text) {
    const int width = bmptext_rules::CellsDrawn(length) * kCellWidth;
    const ControlPlace place = {instance, parent, id, x, y, width, kCellHeight};
    return CreateControl<BmpTextState>(kBmpTextClass, place, [&](HWND, BmpTextState& state) {
        control_math::CopyBounded(state.text, text, bmptext_rules::kSetTextLimit);
        state.charBitmap = charBitmap;
        state.length = length;
    });
}

// 8. Registration row.
extern const ToolkitClass kBmpTextClass = {"Zut_BmpTextClass", BmpTextWindowProc, nullptr, &kBmpTextAccess};
