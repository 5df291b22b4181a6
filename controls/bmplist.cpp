// Bitmap list, class Zut_BmpListClass. Each press and each wheel message moves one image,
// held to the table, repaints at once and posts WM_COMMAND with the control's id whole (code 0
// below 0x10000), also when a bound kept the position. SBM_SETPOS sets the position as it
// comes, repaints and posts nothing; SBM_GETPOS reads it. Focus on hover; no capture.
#include "controls/bmplist.h"

#include "controls/bmplist_rules.h"
#include "controls/toolkit_class.h"

// 1. State block: BmpListState (bmplist.h), three 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(BmpListState) == 12, "the bitmap list's state block is 12 bytes");

namespace {

// 2. Constants and the class-wide variable.
// The window property under which a list keeps the table its creation function made: the one
// table it frees.
constexpr char kOwnTable[] = "Zut_BmpListTable";

RECT g_bmpListRect;  // shared by every bitmap list: the client rectangle before each paint

// 3. Arithmetic: bmplist_rules.h (steps, bounds, the image drawn).

}  // namespace

// 4. Paint routine.
void DrawBmpList(HDC dc, const RECT&, const BmpListState* state) {
    if (!state) return;
    DebugTrace("Zut_DrawBmpList\n");
    const int index = bmplist_rules::ImageIndex(state->pos, state->count);
    if (index < 0 || !state->bitmaps) return;
    HBITMAP image = state->bitmaps[index];
    const SIZE size = BitmapSize(image);
    MemoryDC memory(dc);
    SelectGuard keep(memory, image);
    BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
}

namespace {

// 5. Handlers.

LRESULT OnDestroy(HWND window) {
    if (HANDLE table = RemovePropA(window, kOwnTable)) HeapFree(GetProcessHeap(), 0, table);
    return DestroyStateBlock(window);
}

// Every step ends here: the new position, a repaint at once, the notification.
LRESULT MoveTo(HWND window, BmpListState* state, LONG pos) {
    state->pos = pos;
    RepaintAtOnce(window, g_bmpListRect, DrawBmpList);
    PostCommandWholeId(window);
    return 0;
}

LRESULT OnLeftButtonDown(HWND window) {
    BmpListState* s = GetStateBlock<BmpListState>(window);
    return s ? MoveTo(window, s, bmplist_rules::ForwardPosition(s->pos, s->count)) : 0;
}

LRESULT OnRightButtonDown(HWND window) {
    BmpListState* s = GetStateBlock<BmpListState>(window);
    return s ? MoveTo(window, s, bmplist_rules::BackPosition(s->pos)) : 0;
}

LRESULT OnMouseWheel(HWND window, short delta) {
    BmpListState* s = GetStateBlock<BmpListState>(window);
    return s ? MoveTo(window, s, bmplist_rules::WheelPosition(s->pos, delta, s->count)) : 0;
}

// The list's own copy of the caller's handles, remembered with the window as the table to
// free; null without images or without memory.
HBITMAP* CopyOwnTable(HWND window, const HBITMAP* images, int count) {
    if (count < 1) return nullptr;
    auto* table = static_cast<HBITMAP*>(HeapAlloc(GetProcessHeap(), 0, count * sizeof(HBITMAP)));
    if (table && !SetPropA(window, kOwnTable, table)) {
        HeapFree(GetProcessHeap(), 0, table);
        table = nullptr;
    }
    for (int i = 0; table && i < count; ++i) table[i] = images[i];
    return table;
}

// 6. Window procedure.
LRESULT CALLBACK BmpListWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:     return OnDestroy(window);
    case WM_PAINT:       return PaintMessage(window, g_bmpListRect, DrawBmpList);
    case SBM_SETPOS:     return StoreAndRepaint(window, &BmpListState::pos, LongOf(wParam), g_bmpListRect, DrawBmpList);
    case SBM_GETPOS:     return PositionOf<BmpListState>(window);
    case WM_MOUSEMOVE:   return OnHover(window);
    case WM_LBUTTONDOWN: return OnLeftButtonDown(window);
    case WM_RBUTTONDOWN: return OnRightButtonDown(window);
    case WM_MOUSEWHEEL:  return OnMouseWheel(window, WheelDeltaOf(wParam));
    case WM_GETOBJECT:   return AnswerGetObject(window, wParam, lParam, kBmpListAccess);
    default:             return ToolkitDefault<BmpListState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreateBmpList(HINSTANCE instance, HWND parent, int id, int x, int y, const HBITMAP* images,
                   int count) {
    if (!images || count < 1) count = 0;
    SIZE size = {0, 0};
    for (int i = 0; i < count; ++i) {
        const SIZE s = BitmapSize(images[i]);
        size = {s.cx > size.cx ? s.cx : size.cx, s.cy > size.cy ? s.cy : size.cy};
    }
    const ControlPlace place = {instance, parent, id, x, y, size.cx, size.cy};
    return CreateControl<BmpListState>(kBmpListClass, place, [&](HWND window, BmpListState& state) {
        state.pos = 0;
        state.bitmaps = CopyOwnTable(window, images, count);
        state.count = state.bitmaps ? count : 0;
    });
}

// 8. Registration row.
extern const ToolkitClass kBmpListClass = {"Zut_BmpListClass", BmpListWindowProc, nullptr, &kBmpListAccess};
