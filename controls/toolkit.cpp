#include "controls/toolkit.h"

#include "controls/bitmap_cache_table.h"
#include "controls/digitex.h"
#include "controls/togle.h"

HINSTANCE g_toolkitInstance = nullptr;
HFONT SharedFont = nullptr;

namespace {

bitmap_cache::Table g_bitmapCache;  // the process-wide BitmapCache
LOGFONTA g_sharedLogFont;           // all zero but for the fields set at registration

// The class table in registration order. A row without functions is a class that this build
// does not carry yet; it keeps its place so that both orders stay fixed.
const ToolkitClass kClasses[] = {
    {"Zut_ButtonClass", nullptr, nullptr},
    {"Zut_StaticClass", nullptr, nullptr},
    {"Zut_PopMenuClass", nullptr, nullptr},
    {"Zut_OnOffClass", nullptr, nullptr},
    {"Zut_TogleClass", RegisterTogleClass, UnregisterTogleClass},
    {"Zut_State3Class", nullptr, nullptr},
    {"Zut_VSClass", nullptr, nullptr},
    {"Zut_HSClass", nullptr, nullptr},
    {"Zut_BmpListClass", nullptr, nullptr},
    {"Zut_DigitClass", nullptr, nullptr},
    {"Zut_BmpTextClass", nullptr, nullptr},
    {"Zut_BmpGageClass", nullptr, nullptr},
    {"Zut_KnobClass", nullptr, nullptr},
    {"Zut_DigitExClass", RegisterDigitExClass, UnregisterDigitExClass},
    {"Zut_SmallTextClass", nullptr, nullptr},
};
constexpr int kClassCount = sizeof kClasses / sizeof kClasses[0];
static_assert(kClassCount == 15, "the toolkit has fifteen classes");

// Unregistration swaps positions 10 to 12: bitmap gauge, bitmap text, digit display.
const int kUnregisterOrder[kClassCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 11, 10, 9, 12, 13, 14};

bitmap_cache::Handle LoadFromModule(void* context, const char* name) {
    HINSTANCE instance = static_cast<HINSTANCE>(context);
    LPCSTR resource = name;
    if (name[0] == '#') resource = MAKEINTRESOURCEA(static_cast<WORD>(strtoul(name + 1, nullptr, 10)));
    return LoadBitmapA(instance, resource);
}

void ReportNotFound(void*, const char* name) {
    DebugTrace("%s", name);
    MessageBoxA(nullptr, name, "NotFound", MB_OK);
}

void DeleteBitmap(void*, bitmap_cache::Handle bitmap) {
    DeleteObject(static_cast<HGDIOBJ>(bitmap));
}

void* HeapStateAlloc(SIZE_T size) {
    return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size);
}

}  // namespace

void* (*g_stateBlockAlloc)(SIZE_T size) = HeapStateAlloc;

const ToolkitClass* ToolkitClasses(int* count) {
    if (count) *count = kClassCount;
    return kClasses;
}

const int* ToolkitUnregisterOrder(int* count) {
    if (count) *count = kClassCount;
    return kUnregisterOrder;
}

void RegisterControlClasses(HINSTANCE instance) {
    g_toolkitInstance = instance;
    for (const ToolkitClass& c : kClasses) {
        if (c.registerClass) c.registerClass(instance);
    }
    lstrcpyA(g_sharedLogFont.lfFaceName, "Arial");
    g_sharedLogFont.lfHeight = 14;
    g_sharedLogFont.lfWeight = FW_NORMAL;
    g_sharedLogFont.lfCharSet = ANSI_CHARSET;
    SharedFont = CreateFontIndirectA(&g_sharedLogFont);
}

void UnregisterControlClasses() {
    for (int i : kUnregisterOrder) {
        if (kClasses[i].unregisterClass) kClasses[i].unregisterClass();
    }
    FreeCachedBitmaps();
    if (SharedFont) DeleteObject(SharedFont);
    SharedFont = nullptr;
}

ATOM RegisterToolkitClass(HINSTANCE instance, LPCSTR className, WNDPROC proc, LPCSTR cursor) {
    g_toolkitInstance = instance;
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = proc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 4;
    wc.hInstance = instance;
    wc.hIcon = nullptr;
    wc.hCursor = cursor ? LoadCursorA(instance, cursor) : LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = className;
    return RegisterClassA(&wc);
}

BOOL UnregisterToolkitClass(LPCSTR className) {
    return UnregisterClassA(className, g_toolkitInstance);
}

HBITMAP LoadCachedBitmap(HINSTANCE instance, LPCSTR name) {
    char idName[bitmap_cache::kNameBytes];
    if (IS_INTRESOURCE(name)) {
        bitmap_cache::IdToName(static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)), idName);
        name = idName;
    }
    const bitmap_cache::Ops ops = {LoadFromModule, ReportNotFound, instance};
    return static_cast<HBITMAP>(bitmap_cache::Lookup(g_bitmapCache, name, ops));
}

void FreeCachedBitmaps() {
    bitmap_cache::Clear(g_bitmapCache, DeleteBitmap, nullptr);
}

void DebugTrace(LPCSTR, ...) {}

void* AllocStateBlock(HWND window, SIZE_T size) {
    void* block = g_stateBlockAlloc(size);
    if (block) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(block));
    return block;
}

void FreeStateBlock(HWND window) {
    void* block = reinterpret_cast<void*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (block) HeapFree(GetProcessHeap(), 0, block);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

void PostCommandNotify(HWND control, WORD code) {
    const WORD id = LOWORD(GetWindowLongPtrA(control, GWLP_ID));
    const LPARAM handle = static_cast<LPARAM>(LOWORD(reinterpret_cast<UINT_PTR>(control)));
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, code), handle);
}

void PostScrollNotify(HWND control, UINT message, WORD request, int position) {
    const LPARAM handle = static_cast<LPARAM>(LOWORD(reinterpret_cast<UINT_PTR>(control)));
    PostMessageA(GetParent(control), message, MAKEWPARAM(request, LOWORD(position)), handle);
}

void FocusOnHover(HWND control) {
    if (GetParent(control) == GetForegroundWindow()) SetFocus(control);
}
