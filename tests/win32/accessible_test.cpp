// The controls' accessible objects, read as a screen reader reads them: through
// AccessibleObjectFromWindow (role, name, value, state, default action and what it does), and
// the events they fire.
#include <windows.h>
#include <oleacc.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "controls/accessible.h"
#include "controls/bmpgage.h"
#include "controls/bmplist.h"
#include "controls/bmptext.h"
#include "controls/button.h"
#include "controls/digit.h"
#include "controls/digitex.h"
#include "controls/hs.h"
#include "controls/knob.h"
#include "controls/onoff.h"
#include "controls/popmenu.h"
#include "controls/smalltext.h"
#include "controls/state3.h"
#include "controls/static.h"
#include "controls/togle.h"
#include "controls/toolkit.h"
#include "controls/vs.h"
#include "tests/win32/control_table.h"
#include "tests/win32/win32_test_support.h"

namespace {

constexpr int kId = 0x12345;

VARIANT Self() {
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = CHILDID_SELF;
    return v;
}

// The object of a window's client area, or null.
IAccessible* ObjectOf(HWND w) {
    void* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(w, OBJID_CLIENT, kAccessibleIid, &object))) return nullptr;
    return static_cast<IAccessible*>(object);
}

// A text property: "<none>" for S_FALSE (no text), "<failed>" on failure.
template <class Get>
std::string Text(Get get) {
    BSTR text = nullptr;
    const HRESULT hr = get(&text);
    if (hr == S_FALSE && !text) return "<none>";
    if (FAILED(hr) || !text) return "<failed>";
    char bytes[512] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, bytes, sizeof bytes, nullptr, nullptr);
    SysFreeString(text);
    return bytes;
}
std::string Name(IAccessible* a) { return Text([a](BSTR* t) { return a->get_accName(Self(), t); }); }
std::string Value(IAccessible* a) { return Text([a](BSTR* t) { return a->get_accValue(Self(), t); }); }
std::string Action(IAccessible* a) { return Text([a](BSTR* t) { return a->get_accDefaultAction(Self(), t); }); }
LONG Long(HRESULT hr, const VARIANT& v) { return SUCCEEDED(hr) && v.vt == VT_I4 ? v.lVal : -1; }
LONG Role(IAccessible* a) {
    VARIANT v;
    VariantInit(&v);
    return Long(a->get_accRole(Self(), &v), v);
}
LONG State(IAccessible* a) {
    VARIANT v;
    VariantInit(&v);
    return Long(a->get_accState(Self(), &v), v);
}

constexpr LONG kStateBits = STATE_SYSTEM_CHECKED | STATE_SYSTEM_MIXED | STATE_SYSTEM_PRESSED;

struct Images {
    TestBitmap strip{6, 7, DistinctColours(39)};
    TestBitmap plain{20, 22, {RGB(0, 160, 0)}};
    TestBitmap track{120, 110, {RGB(0, 0, 200)}};
    HBITMAP list[3] = {strip, plain, track};
};
const char* const kLabels[] = {"Alpha", "Beta", "Gamma"};
HINSTANCE In() { return TestInstance(); }

// One class: its control as made, what its object says, and what its default action does.
struct ClassRow {
    const char* name;
    HWND (*make)(HWND parent, const Images& m);
    LONG role;
    const char* unnamed;     // the name before SetControlName: the text classes' text, or "<none>"
    const char* value;       // "<none>" for a class that shows none
    LONG bits;               // its own state bits as made
    const char* action;      // "<none>" without a default action
    // After accDoDefaultAction (classes with an action): value, state bits, the notices.
    const char* valueAfter;
    LONG bitsAfter;
    std::vector<Notice> posted;
};
void PrintTo(const ClassRow& r, std::ostream* os) { *os << r.name; }

const ClassRow kRows[] = {
    {"Button", [](HWND p, const Images& m) { return CreateButton(In(), p, kId, 0, 0, m.plain, m.strip); },
     ROLE_SYSTEM_PUSHBUTTON, "<none>", "<none>", 0, "Press", "<none>", 0, {Command(1)}},
    {"Static", [](HWND p, const Images&) { return CreateStatic(In(), p, kId, 0, 0, "a11y_image"); },
     ROLE_SYSTEM_GRAPHIC, "<none>", "<none>", 0, "<none>", nullptr, 0, {}},
    {"PopMenu", [](HWND p, const Images& m) {
         return CreatePopMenu(In(), p, kId, 0, 0, m.track, m.plain, m.strip, kLabels, 3, 2); },
     ROLE_SYSTEM_COMBOBOX, "<none>", "Gamma", 0, "Next", "Alpha", 0, {Command(1)}},
    {"OnOff", [](HWND p, const Images&) { return CreateOnOff(In(), p, kId, 0, 0, 20, 10, true); },
     ROLE_SYSTEM_CHECKBUTTON, "<none>", "<none>", STATE_SYSTEM_CHECKED, "Uncheck", "<none>", 0, {CommandWholeId()}},
    {"Togle", [](HWND p, const Images&) { return CreateTogle(In(), p, kId, 0, 0, "start_on", "start_off"); },
     ROLE_SYSTEM_CHECKBUTTON, "<none>", "<none>", 0, "Check", "<none>", STATE_SYSTEM_CHECKED, {Command(1)}},
    {"State3", [](HWND p, const Images& m) {
         return CreateState3(In(), p, kId, 0, 0, m.plain, m.strip, m.track, 1); },
     ROLE_SYSTEM_CHECKBUTTON, "<none>", "<none>", STATE_SYSTEM_MIXED, "Toggle", "<none>", STATE_SYSTEM_CHECKED, {Command(0)}},
    {"VS", [](HWND p, const Images& m) {
         HWND w = CreateVS(In(), p, kId, 0, 0, m.track, m.plain, m.strip, 10, 100, 127, 8, nullptr);
         SendMessageA(w, SBM_SETPOS, 63, 0);
         return w; },
     ROLE_SYSTEM_SLIDER, "<none>", "63", 0, "<none>", nullptr, 0, {}},
    {"HS", [](HWND p, const Images& m) {
         HWND w = CreateHS(In(), p, kId, 0, 0, 120, 30, m.track, m.plain, m.strip, 4, 90, 127, "Pan", "dB", -64, 63);
         SendMessageA(w, SBM_SETPOS, 127, 0);
         return w; },
     ROLE_SYSTEM_SLIDER, "<none>", "63dB", 0, "<none>", nullptr, 0, {}},
    {"BmpList", [](HWND p, const Images& m) {
         HWND w = CreateBmpList(In(), p, kId, 0, 0, m.list, 3);
         SendMessageA(w, SBM_SETPOS, 1, 0);
         return w; },
     ROLE_SYSTEM_SPINBUTTON, "<none>", "2 of 3", 0, "Next", "3 of 3", 0, {CommandWholeId()}},
    {"Digit", [](HWND p, const Images& m) { return CreateDigit(In(), p, kId, 0, 0, m.strip, 7); },
     ROLE_SYSTEM_STATICTEXT, "<none>", "007", 0, "<none>", nullptr, 0, {}},
    {"BmpText", [](HWND p, const Images& m) { return CreateBmpText(In(), p, kId, 0, 0, m.strip, 8, "Ready   "); },
     ROLE_SYSTEM_STATICTEXT, "READY", "READY", 0, "<none>", nullptr, 0, {}},
    {"BmpGage", [](HWND p, const Images&) { return CreateBmpGage(In(), p, kId, 0, 0, 50, 10, 40); },
     ROLE_SYSTEM_PROGRESSBAR, "<none>", "40%", 0, "<none>", nullptr, 0, {}},
    {"Knob", [](HWND p, const Images& m) {
         return CreateKnob(In(), p, kId, 0, 0, 40, 40, m.plain, m.strip, -10, 10, -3); },
     ROLE_SYSTEM_DIAL, "<none>", "-3", 0, "<none>", nullptr, 0, {}},
    {"DigitEx", [](HWND p, const Images&) {
         HWND w = CreateDigitEx(In(), p, kId, 0, 0, 60, 40, RGB(0, 255, 0), 0, 99, 0);
         SendMessageA(w, SBM_SETPOS, 7, 0);
         return w; },
     ROLE_SYSTEM_SPINBUTTON, "<none>", "07", 0, "Next", "08", 0, {}},
    {"SmallText", [](HWND p, const Images&) {
         HWND w = CreateSmallText(In(), p, kId, 0, 0, 80, 20);
         SetWindowTextA(w, "Level");
         return w; },
     ROLE_SYSTEM_STATICTEXT, "Level", "Level", 0, "<none>", nullptr, 0, {}},
};

class AccessibleTest : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureToolkitRegistered();
        CoInitialize(nullptr);
        for (int id = 0x81; id <= 0x84; ++id)
            PutCachedBitmap(MAKEINTRESOURCEA(id), TestBitmap(20, 10, {RGB(id, 0, 0)}).Release());
        PutCachedBitmap("a11y_image", TestBitmap(20, 10, {RGB(0, 0, 200)}).Release());
        parent_ = CreateTestParent();
    }
    void TearDown() override {
        DestroyWindow(parent_);
        DrainPosted();
        CoUninitialize();
    }
    HWND parent_ = nullptr;
    Images images_;
};

class AccessibleEveryClass : public AccessibleTest, public ::testing::WithParamInterface<ClassRow> {};

TEST_P(AccessibleEveryClass, ReadsRoleNameValueStateAndDoesItsDefaultActionAsAClick) {
    const ClassRow& row = GetParam();
    HWND w = row.make(parent_, images_);
    ASSERT_NE(w, nullptr);
    DrainPosted();
    IAccessible* a = ObjectOf(w);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(Role(a), row.role);
    EXPECT_EQ(Name(a), row.unnamed);
    ASSERT_TRUE(SetControlName(w, "Control name"));
    EXPECT_EQ(Name(a), "Control name") << "the creator's name comes first";
    EXPECT_EQ(Value(a), row.value);
    EXPECT_EQ(State(a) & kStateBits, row.bits);
    EXPECT_EQ(Action(a), row.action);
    if (row.valueAfter) {
        EXPECT_EQ(a->accDoDefaultAction(Self()), S_OK);
        EXPECT_EQ(Value(a), row.valueAfter);
        EXPECT_EQ(State(a) & kStateBits, row.bitsAfter);
        EXPECT_EQ(DrainPostedExceptInput(), Expected(w, row.posted));
        EXPECT_NE(GetCapture(), w) << "the release followed the press";
    } else {
        EXPECT_EQ(a->accDoDefaultAction(Self()), DISP_E_MEMBERNOTFOUND);
    }
    a->Release();
    DestroyWindow(w);
}

INSTANTIATE_TEST_SUITE_P(Classes, AccessibleEveryClass, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<ClassRow>& info) { return std::string(info.param.name); });

TEST_F(AccessibleTest, StateFollowsTheWindowLocationIsTheScreenRectangleParentTheWindowObject) {
    HWND w = CreateTogle(In(), parent_, 1, 10, 10, "start_on", "start_off");
    IAccessible* a = ObjectOf(w);
    ASSERT_NE(a, nullptr);

    SetFocus(w);
    EXPECT_EQ(State(a) & (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    SetFocus(parent_);
    EXPECT_EQ(State(a) & STATE_SYSTEM_FOCUSED, 0);
    EnableWindow(w, FALSE);
    EXPECT_NE(State(a) & STATE_SYSTEM_UNAVAILABLE, 0);
    EXPECT_EQ(a->accDoDefaultAction(Self()), S_FALSE) << "a click does not reach a disabled control";
    EXPECT_EQ(SendMessageA(w, BM_GETCHECK, 0, 0), 0);
    EnableWindow(w, TRUE);
    EXPECT_EQ(State(a) & STATE_SYSTEM_UNAVAILABLE, 0);
    ShowWindow(w, SW_HIDE);
    EXPECT_NE(State(a) & STATE_SYSTEM_INVISIBLE, 0);
    ShowWindow(w, SW_SHOW);
    EXPECT_EQ(State(a) & STATE_SYSTEM_INVISIBLE, 0);

    RECT r;
    GetWindowRect(w, &r);
    long x = 0, y = 0, width = 0, height = 0;
    ASSERT_EQ(a->accLocation(&x, &y, &width, &height, Self()), S_OK);
    EXPECT_EQ((std::vector<long>{x, y, width, height}),
              (std::vector<long>{r.left, r.top, r.right - r.left, r.bottom - r.top}));

    IDispatch* parent = nullptr;
    ASSERT_EQ(a->get_accParent(&parent), S_OK);
    ASSERT_NE(parent, nullptr);
    IAccessible* window = nullptr;
    ASSERT_EQ(parent->QueryInterface(kAccessibleIid, reinterpret_cast<void**>(&window)), S_OK);
    HWND parentWindow = nullptr;
    EXPECT_EQ(WindowFromAccessibleObject(window, &parentWindow), S_OK);
    EXPECT_EQ(parentWindow, w) << "the parent is the control's own window object";
    window->Release();
    parent->Release();
    a->Release();
}

TEST_F(AccessibleTest, OnlyTheClientObjectIsTheControlsOwnOthersAreTheDefaultProcedures) {
    HWND w = CreateBmpGage(In(), parent_, 1, 0, 0, 50, 10, 0);
    // The client id as a 32-bit value in a wider lParam is still the client id.
    const LRESULT client = SendMessageA(w, WM_GETOBJECT, 0, static_cast<LPARAM>(static_cast<DWORD>(OBJID_CLIENT)));
    ASSERT_GT(client, 0);
    void* object = nullptr;
    ASSERT_EQ(ObjectFromLresult(client, kAccessibleIid, 0, &object), S_OK);
    EXPECT_EQ(Role(static_cast<IAccessible*>(object)), ROLE_SYSTEM_PROGRESSBAR);
    static_cast<IAccessible*>(object)->Release();
    for (LONG id : {OBJID_WINDOW, OBJID_CARET, OBJID_VSCROLL, 1L})
        EXPECT_EQ(SendMessageA(w, WM_GETOBJECT, 0, id), DefWindowProcA(w, WM_GETOBJECT, 0, id)) << id;
}

// --- Controls that go, windows that are not controls ----------------------------------------------

// Every IAccessible method, each called as a client would, for the one result it answers.
struct Method {
    const char* name;
    HRESULT (*call)(IAccessible* a);
};
const Method kMethods[] = {
    {"get_accParent", [](IAccessible* a) { IDispatch* p = nullptr; return a->get_accParent(&p); }},
    {"get_accChildCount", [](IAccessible* a) { long n = 0; return a->get_accChildCount(&n); }},
    {"get_accChild", [](IAccessible* a) { IDispatch* p = nullptr; return a->get_accChild(Self(), &p); }},
    {"get_accName", [](IAccessible* a) { BSTR t = nullptr; return a->get_accName(Self(), &t); }},
    {"get_accValue", [](IAccessible* a) { BSTR t = nullptr; return a->get_accValue(Self(), &t); }},
    {"get_accDescription", [](IAccessible* a) { BSTR t = nullptr; return a->get_accDescription(Self(), &t); }},
    {"get_accRole", [](IAccessible* a) { VARIANT v{}; return a->get_accRole(Self(), &v); }},
    {"get_accState", [](IAccessible* a) { VARIANT v{}; return a->get_accState(Self(), &v); }},
    {"get_accHelp", [](IAccessible* a) { BSTR t = nullptr; return a->get_accHelp(Self(), &t); }},
    {"get_accHelpTopic", [](IAccessible* a) { BSTR t = nullptr; long n = 0; return a->get_accHelpTopic(&t, Self(), &n); }},
    {"get_accKeyboardShortcut", [](IAccessible* a) { BSTR t = nullptr; return a->get_accKeyboardShortcut(Self(), &t); }},
    {"get_accFocus", [](IAccessible* a) { VARIANT v{}; return a->get_accFocus(&v); }},
    {"get_accSelection", [](IAccessible* a) { VARIANT v{}; return a->get_accSelection(&v); }},
    {"get_accDefaultAction", [](IAccessible* a) { BSTR t = nullptr; return a->get_accDefaultAction(Self(), &t); }},
    {"accSelect", [](IAccessible* a) { return a->accSelect(SELFLAG_TAKEFOCUS, Self()); }},
    {"accLocation", [](IAccessible* a) { long x, y, w, h; return a->accLocation(&x, &y, &w, &h, Self()); }},
    {"accNavigate", [](IAccessible* a) { VARIANT v{}; return a->accNavigate(NAVDIR_NEXT, Self(), &v); }},
    {"accHitTest", [](IAccessible* a) { VARIANT v{}; return a->accHitTest(1, 1, &v); }},
    {"accDoDefaultAction", [](IAccessible* a) { return a->accDoDefaultAction(Self()); }},
    {"put_accName", [](IAccessible* a) { return a->put_accName(Self(), nullptr); }},
    {"put_accValue", [](IAccessible* a) { return a->put_accValue(Self(), nullptr); }},
};

// The messages a window received that a click or a read of the focus would send.
std::vector<UINT> g_reached;
LRESULT CALLBACK Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_SETFOCUS) g_reached.push_back(message);
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(AccessibleTest, AnObjectKeptPastItsControlAnswersDisconnectedAndNeverReachesTheWindowOnItsHandle) {
    HWND selector = CreatePopMenu(In(), parent_, kId, 0, 0, images_.track, images_.plain, images_.strip, kLabels, 3, 0);
    ASSERT_TRUE(SetControlName(selector, "Ghost"));
    IAccessible* a = ObjectOf(selector);
    ASSERT_NE(a, nullptr);
    ASSERT_EQ(Role(a), ROLE_SYSTEM_COMBOBOX);
    DestroyWindow(selector);

    // A gauge on the selector's handle. Windows 9x hands a handle out again soon: a few gauges
    // are tried first. Wine numbers each use of a handle's slot in the handle's high word, so
    // that a handle comes back only after 65,534 more: the slot is cycled with menus (handles
    // of the same table, far cheaper to make than windows) until the next handle made in it is
    // the selector's. Should none be, the object is checked all the same.
    HWND gauge = nullptr;
    auto tryGauge = [&] {
        HWND w = CreateWindowExA(0, "Zut_BmpGageClass", "", WS_CHILD, 0, 0, 50, 10, parent_, nullptr, In(), nullptr);
        if (w == selector) gauge = w;
        else if (w) DestroyWindow(w);
    };
    for (int i = 0; i < 64 && !gauge; ++i) tryGauge();
    const UINT_PTR wanted = reinterpret_cast<UINT_PTR>(selector);
    for (int i = 0; i < 70000 && !gauge; ++i) {
        HMENU m = CreatePopupMenu();
        const UINT_PTR made = reinterpret_cast<UINT_PTR>(m);
        const WORD next = HIWORD(made) + 1 >= 0xFFFF ? 1 : static_cast<WORD>(HIWORD(made) + 1);
        DestroyMenu(m);
        if (LOWORD(made) == LOWORD(wanted) && next == HIWORD(wanted)) tryGauge();
    }
    if (gauge) {
        ASSERT_TRUE(SetWindowSubclass(gauge, Record, 1, 0));
        IAccessible* own = ObjectOf(gauge);
        ASSERT_NE(own, nullptr);
        EXPECT_EQ(Name(own), "<none>") << "the selector's name went with it";
        own->Release();
    } else {
        std::printf("no window had the selector's handle again: checked after its destruction only\n");
    }
    DrainPosted();
    g_reached.clear();

    for (const Method& m : kMethods) EXPECT_EQ(m.call(a), CO_E_OBJNOTCONNECTED) << m.name;
    a->Release();
    EXPECT_TRUE(g_reached.empty()) << "nothing was clicked or focused";
    EXPECT_TRUE(DrainPosted().empty()) << "no notification";
    if (gauge) RemoveWindowSubclass(gauge, Record, 1);
}

TEST_F(AccessibleTest, NamesAreOnlyForTheToolkitsOwnControls) {
    HWND other = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, parent_, nullptr, In(), nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(SetControlName(nullptr, "Ghost"));
    EXPECT_FALSE(SetControlName(other, "Ghost"));
    EXPECT_FALSE(SetControlName(parent_, "Ghost"));
    HWND gauge = CreateBmpGage(In(), parent_, 1, 0, 0, 50, 10, 0);
    EXPECT_TRUE(SetControlName(gauge, "Level"));
    DestroyWindow(gauge);
    EXPECT_FALSE(SetControlName(gauge, "Level")) << "a control that has gone";
    DestroyWindow(other);
}

// --- Two UI threads -----------------------------------------------------------------------------------

// A UI thread of its own without COM: a spinner, and a knob and a selector whose state blocks
// its host takes away before they go. It serves its windows until told to end; asked (a
// thread message WM_APP), it tries a multithreaded apartment, which a thread that is a
// single-threaded one refuses. At the end it destroys its windows and tries again.
struct SecondThread {
    HWND parent = nullptr, spinner = nullptr;
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HRESULT whileServing = E_FAIL, multithreaded = E_FAIL;

    static HRESULT TryMultithreaded() {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(hr)) CoUninitialize();
        return hr;
    }

    static DWORD WINAPI Run(void* self) {
        auto* t = static_cast<SecondThread*>(self);
        t->parent = CreateTestParent();
        t->spinner = CreateDigitEx(In(), t->parent, 1, 0, 0, 60, 40, RGB(0, 255, 0), 0, 99, 0);
        SendMessageA(t->spinner, SBM_SETPOS, 7, 0);
        SetControlName(t->spinner, "Hours");
        const Images images;
        HWND knob = CreateKnob(In(), t->parent, 2, 0, 50, 40, 40, images.plain, images.strip, -10, 10, -3);
        HWND selector = CreatePopMenu(In(), t->parent, 3, 0, 100, images.track, images.plain, images.strip, kLabels, 3, 0);
        SetEvent(t->ready);
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0) > 0) {
            if (!m.hwnd && m.message == WM_APP) t->whileServing = TryMultithreaded();
            DispatchMessageA(&m);
        }
        for (HWND w : {knob, selector}) {
            HeapFree(GetProcessHeap(), 0, reinterpret_cast<void*>(GetWindowLongPtrA(w, GWLP_USERDATA)));
            SetWindowLongPtrA(w, GWLP_USERDATA, 0);
        }
        DestroyWindow(t->parent);
        t->multithreaded = TryMultithreaded();
        return 0;
    }
};

TEST_F(AccessibleTest, AControlOnASecondUiThreadHandsOutAWorkingObjectAndTheThreadGetsItsComBack) {
    HWND first = CreateBmpGage(In(), parent_, 1, 0, 0, 50, 10, 0);  // this thread asks first
    IAccessible* own = ObjectOf(first);
    ASSERT_NE(own, nullptr);
    own->Release();
    SecondThread t;
    DWORD id = 0;
    HANDLE thread = CreateThread(nullptr, 0, SecondThread::Run, &t, 0, &id);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(t.ready, 10000), WAIT_OBJECT_0);

    const LRESULT answer = SendMessageA(t.spinner, WM_GETOBJECT, 0, OBJID_CLIENT);
    EXPECT_GT(answer, 0) << "a reference to an object, never a failure's HRESULT";
    void* object = nullptr;
    if (answer > 0) {
        ASSERT_EQ(ObjectFromLresult(answer, kAccessibleIid, 0, &object), S_OK);
        auto* a = static_cast<IAccessible*>(object);
        EXPECT_EQ(Name(a), "Hours");
        EXPECT_EQ(Value(a), "07");
        a->Release();
    }

    PostThreadMessageA(id, WM_APP, 0, 0);
    PostThreadMessageA(id, WM_QUIT, 0, 0);
    ASSERT_EQ(WaitForSingleObject(thread, 10000), WAIT_OBJECT_0);
    CloseHandle(thread);
    CloseHandle(t.ready);
    EXPECT_EQ(t.whileServing, RPC_E_CHANGED_MODE) << "the thread got a single-threaded apartment to serve the object";
    EXPECT_EQ(t.multithreaded, S_OK) << "the apartment set up for the objects went with the thread's last control";
}

// An allocation of the records that holds up, once asked, until let go: the thread making
// it is then inside the records.
std::atomic<bool> g_holdNext;
HANDLE g_inside, g_letGo;
void* HeldAlloc(SIZE_T bytes) {
    if (g_holdNext.exchange(false)) {
        SetEvent(g_inside);
        WaitForSingleObject(g_letGo, 10000);
    }
    return HeapAlloc(GetProcessHeap(), 0, bytes);
}
struct Naming {
    HWND control;
    const char* name;
    bool named;
    static DWORD WINAPI Run(void* self) {
        auto* n = static_cast<Naming*>(self);
        n->named = SetControlName(n->control, n->name);
        return 0;
    }
};

TEST_F(AccessibleTest, AThreadWaitsForTheRecordsWhileAnotherIsInThem) {
    HWND hours = CreateDigitEx(In(), parent_, 1, 0, 0, 60, 40, RGB(0, 255, 0), 0, 99, 0);
    HWND minutes = CreateDigitEx(In(), parent_, 2, 0, 50, 60, 40, RGB(0, 255, 0), 0, 99, 0);
    g_inside = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_letGo = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    void* (*const was)(SIZE_T) = g_accessibleRecordAlloc;
    g_accessibleRecordAlloc = HeldAlloc;
    g_holdNext = true;

    Naming first = {hours, "Hours", false}, second = {minutes, "Minutes", false};
    HANDLE one = CreateThread(nullptr, 0, Naming::Run, &first, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(g_inside, 10000), WAIT_OBJECT_0);
    HANDLE two = CreateThread(nullptr, 0, Naming::Run, &second, 0, nullptr);
    EXPECT_EQ(WaitForSingleObject(two, 300), static_cast<DWORD>(WAIT_TIMEOUT)) << "the second waits for the first";
    SetEvent(g_letGo);
    EXPECT_EQ(WaitForSingleObject(one, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(two, 10000), WAIT_OBJECT_0);
    g_accessibleRecordAlloc = was;
    EXPECT_TRUE(first.named && second.named);
    for (HANDLE h : {one, two, g_inside, g_letGo}) CloseHandle(h);
}

// --- Events -----------------------------------------------------------------------------------

struct Heard {
    DWORD event;
    HWND window;
    DWORD tick;
};
std::vector<Heard> g_heard;
void CALLBACK Hear(HWINEVENTHOOK, DWORD event, HWND w, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) g_heard.push_back({event, w, GetTickCount()});
}
int CountOf(DWORD event, HWND w) {
    int n = 0;
    for (const Heard& h : g_heard) n += h.event == event && h.window == w;
    return n;
}
void PumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        PumpMessages();
        Sleep(10);
    }
}

LRESULT CALLBACK PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    return DefSubclassProc(window, message, wParam, lParam);
}

TEST_F(AccessibleTest, FiresStateNameAndThrottledValueEventsTheLastValueFollowing) {
    HWND spinner = CreateDigitEx(In(), parent_, 1, 0, 0, 60, 40, RGB(0, 255, 0), 0, 99, 0);
    ASSERT_TRUE(SetWindowSubclass(spinner, PassOn, 1, 0));  // a subclassed control is still heard
    HWND toggle = CreateTogle(In(), parent_, 2, 0, 50, "start_on", "start_off");
    UpdateWindow(spinner);
    for (HWND w : {spinner, toggle}) {  // a client has looked: events are on
        IAccessible* a = ObjectOf(w);
        ASSERT_NE(a, nullptr);
        a->Release();
    }
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, Hear,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    g_heard.clear();

    // The time code runs: 20 positions within about half a second (a slow machine may take
    // longer; then one event more per second is allowed).
    const DWORD began = GetTickCount();
    for (int pos = 1; pos <= 20; ++pos) {
        SendMessageA(spinner, SBM_SETPOS, pos, 0);
        UpdateWindow(spinner);
        PumpFor(20);
    }
    const int atOnce = CountOf(EVENT_OBJECT_VALUECHANGE, spinner);
    EXPECT_GE(atOnce, 1) << "the first change is told at once";
    EXPECT_LE(atOnce, 1 + static_cast<int>((GetTickCount() - began) / 1000)) << "at most one a second";
    PumpFor(1200);
    ASSERT_EQ(CountOf(EVENT_OBJECT_VALUECHANGE, spinner), atOnce + 1) << "the last value follows";
    DWORD previous = 0;
    for (const Heard& h : g_heard) {
        if (h.event != EVENT_OBJECT_VALUECHANGE) continue;
        if (previous) {
            EXPECT_GE(h.tick - previous, 900u) << "events a second apart";
        }
        previous = h.tick;
    }
    IAccessible* a = ObjectOf(spinner);
    EXPECT_EQ(Value(a), "20");
    a->Release();

    SendMessageA(toggle, BM_SETCHECK, 1, 0);
    SetControlName(toggle, "Start");
    PumpFor(100);
    EXPECT_EQ(CountOf(EVENT_OBJECT_STATECHANGE, toggle), 1);
    EXPECT_EQ(CountOf(EVENT_OBJECT_NAMECHANGE, toggle), 1);
    SendMessageA(toggle, BM_SETCHECK, 1, 0);  // the same look again: nothing changed
    PumpFor(100);
    EXPECT_EQ(CountOf(EVENT_OBJECT_STATECHANGE, toggle), 1);
    UnhookWinEvent(hook);
    RemoveWindowSubclass(spinner, PassOn, 1);
}

}  // namespace
