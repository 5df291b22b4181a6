// Popup-menu selector, class Zut_PopMenuClass. A left click steps to the next item (from the
// last back to the first), the child button's left click opens the whole menu at the
// pointer, and every choice repaints at once and tells the parent (code 1); a right click, on
// the selector or on its button, is passed on as code 2. SBM_SETPOS / SBM_GETPOS set and read
// the current item silently.
#include "controls/popmenu.h"

#include "controls/button.h"
#include "controls/control_math.h"
#include "controls/toolkit_class.h"

// 1. State block: PopMenuState (popmenu.h), five 32-bit fields on the 32-bit target.
static_assert(sizeof(void*) != 4 || sizeof(PopMenuState) == 20, "the selector's state block is 20 bytes");

namespace {

// 2. Constants and the class-wide rectangle.
constexpr int kFaceLeft = 20;            // the button's columns, left to it
constexpr int kLabelX = 24, kLabelY = 4;
constexpr int kLabelBytes = 64;          // at most 63 characters
constexpr WORD kChoiceCode = kLeftButtonCode;

RECT g_popMenuRect;  // the client rectangle, before each paint

// 3. Arithmetic: none of its own (an item's position is its command identifier less
// kPopMenuFirstItemId).

}  // namespace

// 4. Paint routine.
void DrawPopMenu(HDC dc, const RECT& client, const PopMenuState* state) {
    DebugTrace("Zut_DrawPopMenu\n");
    if (!state) return;
    const SIZE face = BitmapSize(state->backBitmap);
    {
        MemoryDC memory(dc);
        SelectGuard keepBitmap(memory, state->backBitmap);
        BitBlt(dc, kFaceLeft, 0, face.cx, face.cy, memory, 0, 0, SRCCOPY);
    }
    // A face shorter than the window (as tall as the button) leaves no strip unpainted.
    FillBelowImage(dc, client, kFaceLeft, face);

    // A position that names no item leaves the label empty.
    char label[kLabelBytes] = "";
    GetMenuStringA(state->menu, static_cast<UINT>(state->pos), label, kLabelBytes, MF_BYPOSITION);
    label[kLabelBytes - 1] = '\0';  // not every system's GetMenuStringA terminates a label it cuts
    SelectGuard keepFont(dc, SharedFont);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, kLabelX, kLabelY, label, lstrlenA(label));
}

namespace {

void Repaint(HWND window) {
    RepaintAtOnce(window, g_popMenuRect, DrawPopMenu);
}

void MoveTo(HWND window, PopMenuState* state, LONG pos) {
    state->pos = pos;
    Repaint(window);
    PostCommandNotify(window, kChoiceCode);
}

// 5. Handlers.

LRESULT OnDestroy(HWND window) {
    if (const PopMenuState* state = GetStateBlock<PopMenuState>(window)) DestroyMenu(state->menu);
    FreeStateBlock(window);  // also without a block: the control's record goes
    return 0;
}

LRESULT OnSetPos(HWND window, LONG pos) {
    PopMenuState* state = GetStateBlock<PopMenuState>(window);
    if (!state) return 0;
    state->pos = pos;
    Repaint(window);
    return 0;
}

// The whole menu at the pointer, the current item checked only while it is open. A choice
// comes back afterwards as a WM_COMMAND of code 0 with the item's id.
void OpenMenu(HWND window) {
    const PopMenuState* state = GetStateBlock<PopMenuState>(window);
    if (!state) return;
    POINT pointer = {0, 0};
    GetCursorPos(&pointer);
    HMENU menu = state->menu;
    const UINT pos = static_cast<UINT>(state->pos);
    CheckMenuItem(menu, pos, MF_BYPOSITION | MF_CHECKED);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, window, nullptr);
    // The menu's own loop may have seen the selector destroyed, and its menu with it.
    if (GetStateBlock<PopMenuState>(window)) CheckMenuItem(menu, pos, MF_BYPOSITION | MF_UNCHECKED);
}

LRESULT OnCommand(HWND window, WORD id, WORD code) {
    PopMenuState* state = GetStateBlock<PopMenuState>(window);
    if (!state) return 0;
    if (code == kLeftButtonCode) {
        if (id == kPopMenuButtonId) OpenMenu(window);
    } else if (code == kRightButtonCode) {
        PostCommandNotify(window, kRightButtonCode);
    } else {
        MoveTo(window, state, static_cast<LONG>(id) - kPopMenuFirstItemId);
    }
    return 0;
}

LRESULT OnLeftButtonUp(HWND window) {
    PopMenuState* state = GetStateBlock<PopMenuState>(window);
    if (!state) return 0;
    const LONG next = control_math::StepPosition(state->pos, 1);
    MoveTo(window, state, next >= state->count ? 0 : next);
    return 0;
}

// 6. Window procedure.
LRESULT CALLBACK PopMenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:    return OnDestroy(window);
    case WM_PAINT:      return PaintMessage(window, g_popMenuRect, DrawPopMenu);
    case SBM_SETPOS:    return OnSetPos(window, LongOf(wParam));
    case SBM_GETPOS:    return PositionOf<PopMenuState>(window);
    case WM_COMMAND:    return OnCommand(window, LOWORD(wParam), HIWORD(wParam));
    case WM_RBUTTONUP:  return NotifyRightButton(window);
    case WM_LBUTTONUP:  return OnLeftButtonUp(window);
    case WM_GETOBJECT:  return AnswerGetObject(window, wParam, lParam, kPopMenuAccess);
    default:            return ToolkitDefault<PopMenuState>(window, message, wParam, lParam);
    }
}

}  // namespace

// 7. Creation.
HWND CreatePopMenu(HINSTANCE instance, HWND parent, int id, int x, int y, HBITMAP face,
                   HBITMAP buttonPressed, HBITMAP buttonNormal, const char* const* labels,
                   int count, int pos) {
    const SIZE faceSize = BitmapSize(face);
    const SIZE buttonSize = BitmapSize(buttonNormal ? buttonNormal : buttonPressed);
    const int height = faceSize.cy > buttonSize.cy ? faceSize.cy : buttonSize.cy;
    const ControlPlace place = {instance, parent, id, x, y, kFaceLeft + faceSize.cx, height};
    return CreateControl<PopMenuState>(kPopMenuClass, place, [&](HWND window, PopMenuState& state) {
        HMENU menu = CreatePopupMenu();
        int items = 0;
        // Items stop at the first that cannot be added, so position p keeps id 5001 + p.
        while (menu && labels && items < count &&
               AppendMenuA(menu, MF_STRING, kPopMenuFirstItemId + items, labels[items]))
            ++items;
        state.backBitmap = face;
        state.pos = pos;
        state.count = items;
        state.menu = menu;
        CreateButton(instance, window, kPopMenuButtonId, 0, 0, buttonPressed, buttonNormal);
    });
}

// 8. Registration row.
extern const ToolkitClass kPopMenuClass = {"Zut_PopMenuClass", PopMenuWindowProc, nullptr, &kPopMenuAccess};
