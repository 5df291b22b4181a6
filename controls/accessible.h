// The controls' accessible objects: what a screen reader reads through WM_GETOBJECT (role,
// name, value, state, default action) and the events that tell it what changed. Everything
// the objects need beyond the program's own imports (oleacc.dll, oleaut32.dll, ole32.dll and
// a few user32 and kernel32 functions) is looked up at run time, once, on the first request;
// where any of it is missing, WM_GETOBJECT goes to DefWindowProcA and no event is fired.
// Controls on any number of threads may be asked.
#pragma once

#include <windows.h>

// What a class tells about one of its controls. Every function takes the control (whose
// state block may be gone: it then answers as for an empty control).
// IAccessible's identifier, defined in the project: the one of a static oleacc import library
// may stand for an import thunk instead of the GUID (LresultFromObject then fails).
constexpr GUID kAccessibleIid = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

struct AccessibleClass {
    LONG role;  // ROLE_SYSTEM_...
    // What the control shows, into text (size bytes, NUL-terminated); false for a class that
    // shows no value.
    bool (*value)(HWND control, char* text, int size);
    // State bits of the class's own beside the window's (STATE_SYSTEM_CHECKED, MIXED, PRESSED).
    LONG (*state)(HWND control);
    // The name of the default action, which a left click at the centre performs; null for a
    // class (or a state) without one.
    const char* (*action)(HWND control);
    // True for the text classes: the text shown is the name while the creator gives none.
    bool textIsName;
};

extern const AccessibleClass kButtonAccess, kStaticAccess, kPopMenuAccess, kOnOffAccess, kTogleAccess,
    kState3Access, kVSAccess, kHSAccess, kBmpListAccess, kDigitAccess, kBmpTextAccess, kBmpGageAccess,
    kKnobAccess, kDigitExAccess, kSmallTextAccess;

// WM_GETOBJECT of a toolkit class: the control's accessible object for OBJID_CLIENT (lParam
// taken as a 32-bit value), DefWindowProcA for every other object and whenever the object
// cannot be made.
LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam, const AccessibleClass& description);

// Called after every paint of a control: fires the state-change event when its state bits
// changed, and the value-change event (throttled) when its value text changed. Nothing
// before the first object was handed out.
void NoteShown(HWND control);

// The control is made (its state block allocated): it gets a fresh record, in place of
// whatever a window that had its handle before left.
void NoteCreated(HWND control);

// The control is going: its name and its record are dropped; the objects made for it answer
// CO_E_OBJNOTCONNECTED from now on.
void ForgetControl(HWND control);

// Where the records and the names' copies come from: process-heap memory (a test may swap it,
// to refuse or to hold up an allocation, which is made under the records' lock).
extern void* (*g_accessibleRecordAlloc)(SIZE_T bytes);

// True while the control holds the mouse capture (a button held down on it).
bool HoldsCapture(HWND control);

// The control's name: the creator's, else (for the text classes) the text shown, into text;
// false without one.
bool AccessibleName(HWND control, const AccessibleClass& description, char* text, int size);
