// Bitmap gauge, class Zut_BmpGageClass. SBM_SETPOS sets the level, not clamped, and repaints
// at once; SBM_GETPOS is left to DefWindowProc (the gauge does not answer it). No input and no
// notifications.
#include "controls/bmpgage.h"

#include "controls/bmpgage_rules.h"
#include "controls/toolkit_class.h"

// 1. State block: BmpGageState (bmpgage.h), two 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(BmpGageState) == 8, "the gauge's state block is 8 bytes");

namespace {

// 2. Constants and the class-wide variable.
constexpr COLORREF kFilledColour = 0x00B0966E;  // RGB(110, 150, 176)
constexpr COLORREF kEmptyColour = 0x00CFC7BF;   // RGB(191, 199, 207)

RECT g_bmpGageRect;  // shared by every gauge: the client rectangle before each paint

// 3. Arithmetic: bmpgage_rules.h (the filled width, without overflow).

}  // namespace

// 4. Paint routine.
void DrawBmpGage(HDC dc, const RECT& client, const BmpGageState* state) {
    if (!state) return;
    DebugTrace("Zut_DrawGage\n");
    OwnedGdi<HBRUSH> filled(CreateSolidBrush(kFilledColour));
    OwnedGdi<HBRUSH> empty(CreateSolidBrush(kEmptyColour));
    if (!filled || !empty) return;  // the second brush would be left selected with none to restore
    const bmpgage_rules::Edges edges = bmpgage_rules::GageEdges(client.left, client.right, state->level);
    SelectGuard keepBrush(dc, filled);
    Rectangle(dc, client.left, client.top, edges.filledRight, client.bottom);
    SelectObject(dc, empty);
    Rectangle(dc, edges.emptyLeft, client.top, client.right, client.bottom);
}

namespace {

// 5. Handlers: none of its own; SBM_SETPOS is the kit's StoreAndRepaint.

// 6. Window procedure, the handlers' one line each. SBM_GETPOS goes to DefWindowProcA.
LRESULT CALLBACK BmpGageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:      return PaintMessage(window, g_bmpGageRect, DrawBmpGage);
    case SBM_SETPOS:    return StoreAndRepaint(window, &BmpGageState::level, LongOf(wParam), g_bmpGageRect, DrawBmpGage);
    case WM_GETOBJECT:  return AnswerGetObject(window, wParam, lParam, kBmpGageAccess);
    default:            return ToolkitDefault<BmpGageState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateBmpGage(HINSTANCE instance, HWND parent, int id, int x, int y, int width, int height,
                   int level) {
    const ControlPlace place = {instance, parent, id, x, y, width, height};
    return CreateControl<BmpGageState>(kBmpGageClass, place, [&](HWND, BmpGageState& state) {
        state.level = level;
    });
}

// 8. Registration row.
extern const ToolkitClass kBmpGageClass = {"Zut_BmpGageClass", BmpGageWindowProc, nullptr, &kBmpGageAccess};
