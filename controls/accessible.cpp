// The controls' accessible objects (accessible.h) and SetControlName (toolkit.h).
//
// A control's object wraps the standard client object of its window (oleacc's
// CreateStdAccessibleObject), which answers location, parent, navigation, hit test, focus and
// the window's state bits; the object adds the class's role, the name, the value, the class's
// own state bits and the default action. It is a plain class with virtual functions and a
// reference count, on the process heap.
//
// Every control has a record from its WM_CREATE to its WM_DESTROY (AllocStateBlock,
// FreeStateBlock), and each record a generation of its own. An object keeps its control's
// handle and the generation of its record: it answers only while the window is still of its
// class and the record still the one it was made with. Once the control has gone, whatever
// window now has its handle, every method answers CO_E_OBJNOTCONNECTED and touches nothing.
//
// Any number of UI threads may have controls: the records are kept under one lock, never held
// while a message is sent or an event fired. A thread that hands out an object has COM: one it
// has already, or a single-threaded apartment set up here, given up when its last control goes.
#include "controls/accessible.h"

#include <oleacc.h>

#include <atomic>
#include <new>

#include "controls/accessible_rules.h"
#include "controls/control_math.h"
#include "controls/toolkit_class.h"

namespace {

// The other interfaces' identifiers, defined here as IAccessible's is (accessible.h).
constexpr GUID kUnknownIid = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kDispatchIid = {0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

bool SameGuid(const GUID& a, const GUID& b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(&a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(&b);
    for (unsigned i = 0; i < sizeof(GUID); ++i)
        if (x[i] != y[i]) return false;
    return true;
}

// --- The functions looked up at run time -------------------------------------------------

using LresultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStdAccessibleObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);
using SysAllocStringFn = BSTR(WINAPI*)(const OLECHAR*);
using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
using CoUninitializeFn = void(WINAPI*)();
using NotifyWinEventFn = void(WINAPI*)(DWORD, HWND, LONG, LONG);
using SetTimerFn = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
using KillTimerFn = BOOL(WINAPI*)(HWND, UINT_PTR);
using GetCaptureFn = HWND(WINAPI*)();
using GetTickCountFn = DWORD(WINAPI*)();
using GetClassLongFn = ULONG_PTR(WINAPI*)(HWND, int);

struct Runtime {
    LresultFromObjectFn lresultFromObject;
    CreateStdAccessibleObjectFn createStdAccessibleObject;
    SysAllocStringFn sysAllocString;
    CoInitializeExFn coInitializeEx;
    CoUninitializeFn coUninitialize;
    NotifyWinEventFn notifyWinEvent;
    SetTimerFn setTimer;
    KillTimerFn killTimer;
    GetCaptureFn getCapture;
    GetTickCountFn getTickCount;
};

Runtime g_runtime;
std::atomic<int> g_runtimeState;  // 0 not looked up yet, 1 complete, -1 something missing
DWORD g_apartmentSlot;            // thread-local: non-null while this layer set up the thread's COM

// --- The lock over the records (and the look-ups) ---------------------------------------------

// Made by whichever thread comes first; never deleted (it lasts as long as the process).
std::atomic<int> g_lockState;  // 0 not made, 1 being made, 2 made
CRITICAL_SECTION g_lock;

class TableLock {
public:
    TableLock() {
        if (g_lockState.load() != 2) {
            int expected = 0;
            if (g_lockState.compare_exchange_strong(expected, 1)) {
                InitializeCriticalSection(&g_lock);
                g_lockState.store(2);
            } else {
                while (g_lockState.load() != 2) Sleep(0);
            }
        }
        EnterCriticalSection(&g_lock);
    }
    ~TableLock() { LeaveCriticalSection(&g_lock); }
    TableLock(const TableLock&) = delete;
    TableLock& operator=(const TableLock&) = delete;
};

template <class Fn>
bool Look(HMODULE module, const char* name, Fn& fn) {
    fn = module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
    return fn != nullptr;
}

HMODULE Module(const char* name, bool load) {
    HMODULE module = GetModuleHandleA(name);
    return module || !load ? module : LoadLibraryA(name);
}

// Looks everything up once; true when all of it is there. The libraries stay loaded.
bool RuntimeReady() {
    if (const int state = g_runtimeState.load()) return state == 1;
    TableLock lock;
    if (g_runtimeState.load() == 0) {
        Runtime r = {};
        // Each library is loaded only once the one before it gave all it must.
        HMODULE user = Module("user32.dll", false);
        HMODULE kernel = Module("kernel32.dll", false);
        const bool all = Look(user, "NotifyWinEvent", r.notifyWinEvent) && Look(user, "SetTimer", r.setTimer) &&
                         Look(user, "KillTimer", r.killTimer) && Look(user, "GetCapture", r.getCapture) &&
                         Look(kernel, "GetTickCount", r.getTickCount) &&
                         Look(Module("oleacc.dll", true), "LresultFromObject", r.lresultFromObject) &&
                         Look(Module("oleacc.dll", false), "CreateStdAccessibleObject", r.createStdAccessibleObject) &&
                         Look(Module("oleaut32.dll", true), "SysAllocString", r.sysAllocString) &&
                         Look(Module("ole32.dll", true), "CoInitializeEx", r.coInitializeEx) &&
                         Look(Module("ole32.dll", false), "CoUninitialize", r.coUninitialize);
        g_apartmentSlot = all ? TlsAlloc() : TLS_OUT_OF_INDEXES;
        if (all && g_apartmentSlot != TLS_OUT_OF_INDEXES) g_runtime = r;
        g_runtimeState.store(all && g_apartmentSlot != TLS_OUT_OF_INDEXES ? 1 : -1);
    }
    return g_runtimeState.load() == 1;
}

// Handing an object to another process needs COM on the thread that owns the control (an
// apartment its message loop serves). A thread without one gets a single-threaded apartment,
// kept until the thread's last control goes (ReleaseApartment); a thread that has one, of
// either kind, keeps it as it is. False when COM cannot be had on this thread.
void* const kOwnApartment = reinterpret_cast<void*>(1);
bool ApartmentReady() {
    if (TlsGetValue(g_apartmentSlot)) return true;
    const HRESULT hr = g_runtime.coInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (hr == S_OK) {
        if (TlsSetValue(g_apartmentSlot, kOwnApartment)) return true;
        g_runtime.coUninitialize();  // it could not be noted, so it could not be given up later
        return false;
    }
    if (hr == S_FALSE) {  // the thread's own apartment: its count goes back to what it was
        g_runtime.coUninitialize();
        return true;
    }
    return hr == RPC_E_CHANGED_MODE;  // the thread's own multithreaded apartment
}
void ReleaseApartment() {
    if (!TlsGetValue(g_apartmentSlot)) return;
    TlsSetValue(g_apartmentSlot, nullptr);
    g_runtime.coUninitialize();
}

// The class's own window procedure, whatever subclasses the window; null for a window that
// is gone. GetClassLong(Ptr)A is looked up once, by itself (names need no oleacc.dll).
GetClassLongFn g_getClassLong;
bool g_getClassLongLooked;
WNDPROC ClassProcOf(HWND window) {
    GetClassLongFn get;
    {
        TableLock lock;
        if (!g_getClassLongLooked) {
#ifdef _WIN64
            Look(Module("user32.dll", false), "GetClassLongPtrA", g_getClassLong);
#else
            Look(Module("user32.dll", false), "GetClassLongA", g_getClassLong);
#endif
            g_getClassLongLooked = true;
        }
        get = g_getClassLong;
    }
    return get ? reinterpret_cast<WNDPROC>(get(window, GCLP_WNDPROC)) : nullptr;
}

// --- The names and what was last reported --------------------------------------------------

void* RecordBytes(size_t bytes) { return g_accessibleRecordAlloc(bytes); }
void HeapRelease(void* block) { HeapFree(GetProcessHeap(), 0, block); }
const accessible_rules::Memory kHeap = {RecordBytes, HeapRelease};
accessible_rules::Table g_records;  // under TableLock

// The class of a toolkit control, by its class's window procedure (a window its creator has
// subclassed is still the class's); null for any other window and for one that is gone.
const AccessibleClass* ClassOf(HWND control) {
    const WNDPROC proc = ClassProcOf(control);
    if (!proc) return nullptr;
    int count = 0;
    const ToolkitClass* const* rows = ToolkitClasses(&count);
    for (int i = 0; i < count; ++i)
        if (rows[i]->proc == proc) return rows[i]->access;
    return nullptr;
}

// --- Texts -----------------------------------------------------------------------------------

constexpr int kTextBytes = 256;

bool IsLeadByte(unsigned char c) { return IsDBCSLeadByteEx(CP_ACP, c) != FALSE; }

// A text of at most kTextBytes - 1 bytes, which a bounded copy may have cut after the lead
// byte of a double-byte character: that byte is left out.
BSTR NewBstr(const char* text) {
    WCHAR wide[kTextBytes];
    const std::size_t whole = accessible_rules::WholeCharacters(text, static_cast<std::size_t>(lstrlenA(text)), IsLeadByte);
    const int n = whole ? MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(whole), wide, kTextBytes - 1) : 0;
    wide[n > 0 ? n : 0] = 0;
    return g_runtime.sysAllocString(wide);
}

// A text answer: S_OK with the text, S_FALSE with null when there is none.
HRESULT TextAnswer(bool have, const char* text, BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!have) return S_FALSE;
    *out = NewBstr(text);
    return *out ? S_OK : E_OUTOFMEMORY;
}

bool IsSelf(const VARIANT& child) {
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

void SetLong(VARIANT* v, LONG value) {
    v->vt = VT_I4;
    v->lVal = value;
}

// The control's state bits: the standard object's, the window's own disabled and hidden
// bits, and the class's.
LONG WindowStateBits(HWND control) {
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    LONG bits = 0;
    if (style & WS_DISABLED) bits |= STATE_SYSTEM_UNAVAILABLE;
    if (!(style & WS_VISIBLE)) bits |= STATE_SYSTEM_INVISIBLE;
    return bits;
}

// --- The object --------------------------------------------------------------------------------

constexpr HRESULT kGone = CO_E_OBJNOTCONNECTED;

// The answer of an object whose control has gone, its result emptied.
template <class T>
HRESULT Gone(T* out) {
    if (out) *out = T{};
    return kGone;
}

// True while control's record is the one of that generation.
bool IsCurrentRecord(HWND control, std::uint32_t generation) {
    TableLock lock;
    return accessible_rules::IsCurrent(g_records, control, generation);
}

class AccessibleObject : public IAccessible {
public:
    AccessibleObject(HWND control, const AccessibleClass& description, std::uint32_t generation, IAccessible* standard)
        : refs_(1), control_(control), description_(description), generation_(generation), standard_(standard) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        if (SameGuid(iid, kUnknownIid) || SameGuid(iid, kDispatchIid) || SameGuid(iid, kAccessibleIid)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = --refs_;
        if (left == 0) {
            standard_->Release();
            this->~AccessibleObject();
            HeapFree(GetProcessHeap(), 0, this);
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: no type information; clients call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // What the standard client object answers, while the control is there.
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        return Connected() ? standard_->get_accParent(parent) : Gone(parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        return Connected() ? standard_->get_accChildCount(count) : Gone(count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        return Connected() ? standard_->get_accChild(child, out) : Gone(out);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return Connected() ? standard_->get_accDescription(child, out) : Gone(out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return Connected() ? standard_->get_accHelp(child, out) : Gone(out);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override {
        if (Connected()) return standard_->get_accHelpTopic(file, child, topic);
        Gone(topic);
        return Gone(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return Connected() ? standard_->get_accKeyboardShortcut(child, out) : Gone(out);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        return Connected() ? standard_->get_accFocus(out) : Gone(out);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        return Connected() ? standard_->get_accSelection(out) : Gone(out);
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return Connected() ? standard_->accSelect(flags, child) : kGone;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (Connected()) return standard_->accLocation(left, top, width, height, child);
        Gone(left);
        Gone(top);
        Gone(width);
        return Gone(height);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
        return Connected() ? standard_->accNavigate(direction, start, out) : Gone(out);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        return Connected() ? standard_->accHitTest(x, y, out) : Gone(out);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override {
        return Connected() ? standard_->put_accName(child, name) : kGone;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        return Connected() ? standard_->put_accValue(child, value) : kGone;
    }

    // What the class describes (for the control itself; children are the standard object's).
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        if (!Connected()) return Gone(out);
        if (!IsSelf(child)) return standard_->get_accName(child, out);
        char text[kTextBytes];
        bool have = false;
        if (!ReadConnected([&] { have = AccessibleName(control_, description_, text, kTextBytes); })) return Gone(out);
        return TextAnswer(have, text, out);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        if (!Connected()) return Gone(out);
        if (!IsSelf(child)) return standard_->get_accValue(child, out);
        char text[kTextBytes] = "";
        bool have = false;
        if (!ReadConnected([&] { have = description_.value && description_.value(control_, text, kTextBytes); }))
            return Gone(out);
        return TextAnswer(have, text, out);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        if (!Connected()) return Gone(out);
        if (!IsSelf(child)) return standard_->get_accRole(child, out);
        if (!out) return E_POINTER;
        SetLong(out, description_.role);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        if (!Connected()) return Gone(out);
        if (!IsSelf(child)) return standard_->get_accState(child, out);
        if (!out) return E_POINTER;
        VARIANT base;
        base.vt = VT_EMPTY;
        LONG bits = 0;
        if (SUCCEEDED(standard_->get_accState(child, &base)) && base.vt == VT_I4) bits = base.lVal;
        const bool read = ReadConnected([&] {
            bits |= WindowStateBits(control_);
            if (description_.state) bits |= description_.state(control_);
        });
        if (!read) return Gone(out);
        SetLong(out, bits);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        if (!Connected()) return Gone(out);
        if (!IsSelf(child)) return standard_->get_accDefaultAction(child, out);
        const char* action = nullptr;
        if (!ReadConnected([&] { action = description_.action ? description_.action(control_) : nullptr; }))
            return Gone(out);
        return TextAnswer(action != nullptr, action, out);
    }
    // Exactly what a left click at the centre does: the press, then the release.
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!Connected()) return kGone;
        if (!IsSelf(child)) return standard_->accDoDefaultAction(child);
        const char* action = nullptr;
        if (!ReadConnected([&] { action = description_.action ? description_.action(control_) : nullptr; }))
            return kGone;
        if (!action) return DISP_E_MEMBERNOTFOUND;
        if (GetWindowLongA(control_, GWL_STYLE) & WS_DISABLED) return S_FALSE;  // a click would not reach it
        RECT client;
        GetClientRect(control_, &client);
        const LPARAM centre = MAKELPARAM(client.right / 2, client.bottom / 2);
        SendMessageA(control_, WM_LBUTTONDOWN, MK_LBUTTON, centre);
        SendMessageA(control_, WM_LBUTTONUP, 0, centre);
        return S_OK;
    }

private:
    // The control this object was made for is still there: its window is still of the class
    // and its record the one of the object's generation.
    bool Connected() const { return ClassOf(control_) == &description_ && IsCurrentRecord(control_, generation_); }
    // Runs read, which looks at the control's state block, under the records' lock while the
    // control is there: a control on another thread cannot go in between (FreeStateBlock
    // drops the record, under the lock, before it frees the block). False, nothing read, once
    // it has gone.
    template <class Read>
    bool ReadConnected(Read read) const {
        TableLock lock;
        if (!Connected()) return false;
        read();
        return true;
    }

    std::atomic<LONG> refs_;
    HWND control_;
    const AccessibleClass& description_;
    std::uint32_t generation_;
    IAccessible* standard_;
};

// --- Events --------------------------------------------------------------------------------------

constexpr UINT_PTR kValueEventTimer = 0xA11E;
std::atomic<bool> g_eventsOn;  // true once an object was handed out

void Fire(DWORD event, HWND control) {
    g_runtime.notifyWinEvent(event, control, OBJID_CLIENT, CHILDID_SELF);
}

void CALLBACK ValueEventDue(HWND control, UINT, UINT_PTR id, DWORD) {
    g_runtime.killTimer(control, id);
    bool due = false;
    {
        TableLock lock;
        accessible_rules::Record* record = accessible_rules::Find(g_records, control);
        due = record && accessible_rules::OnTimerDue(record->throttle, g_runtime.getTickCount());
    }
    if (due) Fire(EVENT_OBJECT_VALUECHANGE, control);
}

void* HeapBytes(SIZE_T bytes) { return HeapAlloc(GetProcessHeap(), 0, bytes); }

}  // namespace

void* (*g_accessibleRecordAlloc)(SIZE_T bytes) = HeapBytes;

bool HoldsCapture(HWND control) {
    return g_runtimeState.load() == 1 && g_runtime.getCapture() == control;
}

bool AccessibleName(HWND control, const AccessibleClass& description, char* text, int size) {
    if (size < 1) return false;
    text[0] = '\0';
    {
        TableLock lock;
        if (const char* name = accessible_rules::NameOf(g_records, control)) {
            control_math::CopyBounded(text, static_cast<std::size_t>(size), name, static_cast<std::size_t>(size));
            return true;
        }
    }
    return description.textIsName && description.value && description.value(control, text, size) && text[0];
}

LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam, const AccessibleClass& description) {
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || !RuntimeReady())
        return DefWindowProcA(control, WM_GETOBJECT, wParam, lParam);
    std::uint32_t generation = 0;  // none for a control whose record could not be made
    {
        TableLock lock;
        if (const accessible_rules::Record* record = accessible_rules::Find(g_records, control))
            generation = record->generation;
    }
    // The record first: the apartment set up here goes with this thread's last record.
    if (!generation || !ApartmentReady()) return DefWindowProcA(control, WM_GETOBJECT, wParam, lParam);
    void* standard = nullptr;
    if (FAILED(g_runtime.createStdAccessibleObject(control, OBJID_CLIENT, kAccessibleIid, &standard)) || !standard)
        return DefWindowProcA(control, WM_GETOBJECT, wParam, lParam);
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(AccessibleObject));
    if (!memory) {
        static_cast<IAccessible*>(standard)->Release();
        return DefWindowProcA(control, WM_GETOBJECT, wParam, lParam);
    }
    auto* object = new (memory) AccessibleObject(control, description, generation, static_cast<IAccessible*>(standard));
    const LRESULT result = g_runtime.lresultFromObject(kAccessibleIid, wParam, object);
    object->Release();  // the result holds its own reference
    // A reference is positive; a failure is its HRESULT, never an answer to hand back.
    if (result <= 0) return DefWindowProcA(control, WM_GETOBJECT, wParam, lParam);
    g_eventsOn = true;
    return result;
}

void NoteCreated(HWND control) {
    TableLock lock;
    if (accessible_rules::Record* record = accessible_rules::Renew(g_records, control, kHeap))
        record->thread = GetCurrentThreadId();
}

void NoteShown(HWND control) {
    if (!g_eventsOn.load()) return;
    const AccessibleClass* description = ClassOf(control);
    if (!description) return;
    // The control is this thread's own: its block cannot go while it is read here.
    char text[kTextBytes] = "";
    const bool haveValue = description->value && description->value(control, text, kTextBytes);
    const std::uint32_t value = accessible_rules::TextHash(haveValue ? text : "");
    const LONG state = description->state ? description->state(control) : 0;
    bool stateChanged = false, nameChanged = false;
    accessible_rules::ChangeAnswer answer = {};
    {
        TableLock lock;
        accessible_rules::Record* record = accessible_rules::Find(g_records, control);
        if (!record) return;
        const bool first = !record->seen;
        const bool valueChanged = !first && value != record->shownValue;
        stateChanged = !first && state != record->shownState;
        nameChanged = valueChanged && description->textIsName && !record->name;
        record->seen = true;
        record->shownValue = value;
        record->shownState = state;
        if (valueChanged) answer = accessible_rules::OnValueChange(record->throttle, g_runtime.getTickCount());
        if (answer.armTimer && !g_runtime.setTimer(control, kValueEventTimer, answer.delay, ValueEventDue))
            record->throttle.pending = false;  // no timer: the next change tries again
    }
    if (answer.fireNow) g_runtime.killTimer(control, kValueEventTimer);  // a lost one's, if any
    // No lock is held while an event is fired: a hook called in this thread may ask for
    // another control's object.
    if (stateChanged) Fire(EVENT_OBJECT_STATECHANGE, control);
    if (nameChanged) Fire(EVENT_OBJECT_NAMECHANGE, control);
    if (answer.fireNow) Fire(EVENT_OBJECT_VALUECHANGE, control);
}

void ForgetControl(HWND control) {
    bool lastOfThread = false;
    {
        TableLock lock;
        if (!accessible_rules::Find(g_records, control)) return;
        accessible_rules::Remove(g_records, control, kHeap);
        lastOfThread = !accessible_rules::AnyOfThread(g_records, GetCurrentThreadId());
    }
    if (g_runtimeState.load() != 1) return;
    g_runtime.killTimer(control, kValueEventTimer);
    if (lastOfThread) ReleaseApartment();
}

bool SetControlName(HWND control, LPCSTR name) {
    // Only a toolkit control of this process has a record (from its WM_CREATE on).
    if (!control || !ClassOf(control)) return false;
    {
        TableLock lock;
        if (!accessible_rules::Find(g_records, control)) return false;
        if (!accessible_rules::SetName(g_records, control, name, kHeap)) return false;
    }
    if (g_eventsOn.load()) Fire(EVENT_OBJECT_NAMECHANGE, control);
    return true;
}
