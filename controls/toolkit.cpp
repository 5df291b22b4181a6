// The toolkit core: registration, the bitmap cache, the shared font, and the kit's shared
// pieces (toolkit_class.h).
//
// Adding a class: its header (state block, paint routine, creation function: what a user
// needs); its source (window procedure, handlers, creation, and its registration row
// kXxxClass, the one place of its class name), which controls/CMakeLists.txt picks up by
// itself; the row's declaration in toolkit_class.h; what it tells screen readers, kXxxAccess
// in accessible_classes.cpp (declared in accessible.h, named by the row, answered at its
// WM_GETOBJECT); the row in both lists below (the build
// stops while they differ in length, the core test while they hold other rows or another
// count of classes); its tests in tests/win32/.
#include "controls/toolkit_class.h"

#include "controls/bitmap_cache_table.h"

HINSTANCE g_toolkitInstance = nullptr;
HFONT SharedFont = nullptr;

namespace {

bitmap_cache::Table g_bitmapCache;  // the process-wide BitmapCache
LOGFONTA g_sharedLogFont;           // all zero but for the fields set at registration

// The rows in registration order, and the same rows in unregistration order, which swaps
// positions 10 to 12: bitmap gauge, bitmap text, digit display.
const ToolkitClass* const kClasses[] = {
    &kButtonClass, &kStaticClass, &kPopMenuClass, &kOnOffClass, &kTogleClass,
    &kState3Class, &kVSClass, &kHSClass, &kBmpListClass, &kDigitClass,
    &kBmpTextClass, &kBmpGageClass, &kKnobClass, &kDigitExClass, &kSmallTextClass,
};
const ToolkitClass* const kUnregisterOrder[] = {
    &kButtonClass, &kStaticClass, &kPopMenuClass, &kOnOffClass, &kTogleClass,
    &kState3Class, &kVSClass, &kHSClass, &kBmpListClass, &kBmpGageClass,
    &kBmpTextClass, &kDigitClass, &kKnobClass, &kDigitExClass, &kSmallTextClass,
};
constexpr int kClassCount = sizeof kClasses / sizeof kClasses[0];
static_assert(sizeof kUnregisterOrder == sizeof kClasses, "every class is unregistered once");

bitmap_cache::Handle LoadFromModule(void* context, const char* name) {
    HINSTANCE instance = static_cast<HINSTANCE>(context);
    unsigned id = 0;
    return LoadBitmapA(instance, bitmap_cache::ParseIntegerId(name, &id) ? MAKEINTRESOURCEA(id) : name);
}

void ReportNotFound(void*, const char* name) {
    DebugTrace("%s", name);
    MessageBoxA(nullptr, name, "NotFound", MB_OK);
}

void DeleteBitmap(void*, bitmap_cache::Handle bitmap) {
    DeleteObject(static_cast<HGDIOBJ>(bitmap));
}

void* HeapStateAlloc(SIZE_T size) {
    return HeapAlloc(GetProcessHeap(), 0, size);
}

}  // namespace

void* (*g_stateBlockAlloc)(SIZE_T size) = HeapStateAlloc;

const ToolkitClass* const* ToolkitClasses(int* count) {
    if (count) *count = kClassCount;
    return kClasses;
}

const ToolkitClass* const* ToolkitUnregisterOrder(int* count) {
    if (count) *count = kClassCount;
    return kUnregisterOrder;
}

void RegisterControlClasses(HINSTANCE instance) {
    g_toolkitInstance = instance;
    for (const ToolkitClass* row : kClasses) RegisterToolkitClass(instance, *row);
    lstrcpyA(g_sharedLogFont.lfFaceName, "Arial");
    g_sharedLogFont.lfHeight = 14;
    g_sharedLogFont.lfWeight = FW_NORMAL;
    g_sharedLogFont.lfCharSet = ANSI_CHARSET;
    // A second registration without an unregistration keeps the font it made the first time
    // instead of losing it.
    if (!SharedFont) SharedFont = CreateFontIndirectA(&g_sharedLogFont);
}

void UnregisterControlClasses() {
    for (const ToolkitClass* row : kUnregisterOrder) UnregisterToolkitClass(*row);
    FreeCachedBitmaps();
    if (SharedFont) DeleteObject(SharedFont);
    SharedFont = nullptr;
}

ATOM RegisterToolkitClass(HINSTANCE instance, const ToolkitClass& row) {
    g_toolkitInstance = instance;
    WNDCLASSA wc = {};
    wc.style = CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = row.proc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 4;
    wc.hInstance = instance;
    wc.hIcon = nullptr;
    wc.hCursor = row.cursor ? LoadCursorA(instance, row.cursor) : LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = row.name;
    return RegisterClassA(&wc);
}

BOOL UnregisterToolkitClass(const ToolkitClass& row) {
    return UnregisterClassA(row.name, g_toolkitInstance);
}

namespace {

// The name a request is recorded under: the name itself, or "#129" for an integer identifier.
const char* CacheName(LPCSTR name, char (&idName)[bitmap_cache::kNameBytes]) {
    if (!IS_INTRESOURCE(name)) return name;
    bitmap_cache::IdToName(static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)), idName);
    return idName;
}

// A "load" that hands over a bitmap made elsewhere, noting that the table took it.
struct GivenBitmap {
    HBITMAP bitmap;
    bool taken;
};
bitmap_cache::Handle TakeGiven(void* context, const char*) {
    auto* given = static_cast<GivenBitmap*>(context);
    given->taken = true;
    return given->bitmap;
}
void ReportNothing(void*, const char*) {}

}  // namespace

HBITMAP LoadCachedBitmap(HINSTANCE instance, LPCSTR name) {
    char idName[bitmap_cache::kNameBytes];
    const bitmap_cache::Ops ops = {LoadFromModule, ReportNotFound, instance};
    return static_cast<HBITMAP>(bitmap_cache::Lookup(g_bitmapCache, CacheName(name, idName), ops));
}

bool PutCachedBitmap(LPCSTR name, HBITMAP bitmap) {
    if (!bitmap) return false;
    char idName[bitmap_cache::kNameBytes];
    GivenBitmap given = {bitmap, false};
    const bitmap_cache::Ops ops = {TakeGiven, ReportNothing, &given};
    bitmap_cache::Lookup(g_bitmapCache, CacheName(name, idName), ops);
    return given.taken;
}

void FreeCachedBitmaps() {
    bitmap_cache::Clear(g_bitmapCache, DeleteBitmap, nullptr);
}

void DebugTrace(LPCSTR, ...) {}

void* AllocStateBlock(HWND window, SIZE_T size) {
    void* block = g_stateBlockAlloc(size);
    if (!block) return nullptr;
    // Zeroed here, whatever allocator is installed: the knob's save-under bitmap, for one, must
    // read null until its first paint, or WM_DESTROY would delete whatever the heap held.
    unsigned char* bytes = static_cast<unsigned char*>(block);
    for (SIZE_T i = 0; i < size; ++i) bytes[i] = 0;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(block));
    NoteCreated(window);  // the control's record: its name and its objects' identity
    return block;
}

void FreeStateBlock(HWND window) {
    ForgetControl(window);  // every class calls this at WM_DESTROY, block or none: its record goes
    void* block = reinterpret_cast<void*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (block) HeapFree(GetProcessHeap(), 0, block);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

HWND CreateHiddenChild(LPCSTR className, const ControlPlace& place) {
    return CreateWindowExA(0, className, "", WS_CHILD, place.x, place.y, place.width,
                           place.height, place.parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)), place.instance,
                           nullptr);
}

namespace {
LPARAM LowHandle(HWND control) {
    return static_cast<LPARAM>(LOWORD(reinterpret_cast<UINT_PTR>(control)));
}
}  // namespace

void PostCommandNotify(HWND control, WORD code) {
    const WORD id = LOWORD(GetWindowLongA(control, GWL_ID));
    PostMessageA(GetParent(control), WM_COMMAND, MAKEWPARAM(id, code), LowHandle(control));
}

void PostCommandWholeId(HWND control) {
    // The 32-bit id as it is, never sign-extended into a wider wParam.
    const WPARAM id = static_cast<DWORD>(GetWindowLongA(control, GWL_ID));
    PostMessageA(GetParent(control), WM_COMMAND, id, LowHandle(control));
}

void PostScrollNotify(HWND control, UINT message, WORD request, int position) {
    PostMessageA(GetParent(control), message, MAKEWPARAM(request, LOWORD(position)), LowHandle(control));
}

void FocusOnHover(HWND control) {
    if (GetParent(control) == GetForegroundWindow()) SetFocus(control);
}

bool PointerInside(HWND window, RECT& rect, LPARAM lParam, POINT* point) {
    GetClientRect(window, &rect);
    const POINT p = PointerOf(lParam);
    if (point) *point = p;
    return PtInRect(&rect, p) != FALSE;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info;
    if (!bitmap || GetObjectA(bitmap, sizeof info, &info) != sizeof info) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

void DrawCellLine(HDC dc, HBITMAP strip, const int* cells, int count, int width, int height) {
    MemoryDC stripDC(dc);
    SelectGuard keepStrip(stripDC, strip);
    Composition line(dc, count * width, height);
    for (int i = 0; i < count; ++i) BitBlt(line, width * i, 0, width, height, stripDC, width * cells[i], 0, SRCCOPY);
    BitBlt(dc, 0, 0, count * width, height, line, 0, 0, SRCCOPY);
}

namespace {
// The class background in a strip; only a non-empty one: FillRect would mirror an inverted
// rectangle. The brush is the system's own: never deleted.
void FillBackground(HDC dc, const RECT& strip) {
    if (!IsRectEmpty(&strip)) FillRect(dc, &strip, GetSysColorBrush(COLOR_WINDOW));
}
}  // namespace

void FillBelowImage(HDC dc, const RECT& client, int left, SIZE image) {
    const LONG imageRight = left + image.cx;
    FillBackground(dc, RECT{left, image.cy, imageRight < client.right ? imageRight : client.right, client.bottom});
}

void BlitImage(HDC dc, const RECT& client, HBITMAP image) {
    if (image) {
        MemoryDC memory(dc);
        SelectGuard keep(memory, image);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    }
    const SIZE size = BitmapSize(image);
    FillBackground(dc, RECT{size.cx, 0, client.right, client.bottom});
    FillBelowImage(dc, client, 0, size);
}
