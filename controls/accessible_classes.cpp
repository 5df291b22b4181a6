// What each toolkit class tells screen readers (accessible.h): its role, the value it shows,
// its own state bits and its default action. The reference page's accessibility table lists
// the same.
#include <oleacc.h>

#include "controls/accessible.h"
#include "controls/accessible_rules.h"
#include "controls/bmpgage.h"
#include "controls/control_math.h"
#include "controls/bmplist.h"
#include "controls/bmptext.h"
#include "controls/button.h"
#include "controls/digit.h"
#include "controls/digit_rules.h"
#include "controls/digitex.h"
#include "controls/hs.h"
#include "controls/hs_rules.h"
#include "controls/knob.h"
#include "controls/onoff.h"
#include "controls/popmenu.h"
#include "controls/smalltext.h"
#include "controls/state3.h"
#include "controls/static.h"
#include "controls/togle.h"
#include "controls/togle_rules.h"
#include "controls/toolkit_class.h"
#include "controls/vs.h"

namespace {

// wsprintfA writes at most 1024 bytes; every text here is far shorter than the buffers.
bool Number(char* text, LONG value) {
    wsprintfA(text, "%ld", value);
    return true;
}

// A text of at most n bytes that need not end in a NUL, trailing blanks dropped.
bool ShownText(char* text, int size, const char* shown, int n) {
    std::size_t i = control_math::CopyBounded(text, static_cast<std::size_t>(size), shown, static_cast<std::size_t>(n) + 1);
    while (i > 0 && text[i - 1] == ' ') --i;
    text[i] = '\0';
    return true;
}

// The default actions' names, each action on one line (the reference page's test reads them).
const char* Press(HWND) { return "Press"; }
const char* Next(HWND) { return "Next"; }

// --- Push button ---
LONG ButtonBits(HWND control) { return HoldsCapture(control) ? STATE_SYSTEM_PRESSED : 0; }

// --- Popup-menu selector: the current item's label ---
bool PopMenuValue(HWND control, char* text, int size) {
    const PopMenuState* state = GetStateBlock<PopMenuState>(control);
    text[0] = '\0';
    if (state) GetMenuStringA(state->menu, static_cast<UINT>(state->pos), text, size, MF_BYPOSITION);
    text[size - 1] = '\0';
    return true;
}

// --- On/off switch: any state but 0 shows the on images ---
bool OnOffChecked(HWND control) {
    const OnOffState* state = GetStateBlock<OnOffState>(control);
    return state && state->checkState != 0;
}
LONG OnOffBits(HWND control) { return OnOffChecked(control) ? STATE_SYSTEM_CHECKED : 0; }
const char* OnOffAction(HWND control) { return OnOffChecked(control) ? "Uncheck" : "Check"; }

// --- Toggle ---
bool TogleChecked(HWND control) {
    const TogleState* state = GetStateBlock<TogleState>(control);
    return state && togle_rules::ShowsOnImage(state->checkState);
}
LONG TogleBits(HWND control) { return TogleChecked(control) ? STATE_SYSTEM_CHECKED : 0; }
const char* TogleAction(HWND control) { return TogleChecked(control) ? "Uncheck" : "Check"; }

// --- Three-state button: 0 unchecked, 1 mixed, 2 checked; a click steps to the next ---
LONG State3Bits(HWND control) {
    const State3State* state = GetStateBlock<State3State>(control);
    if (!state) return 0;
    return state->state == 1 ? STATE_SYSTEM_MIXED : state->state == 2 ? STATE_SYSTEM_CHECKED : 0;
}
const char* State3Action(HWND) { return "Toggle"; }

// --- Sliders and knob: the position; the horizontal slider's as its value text shows it ---
bool VSValue(HWND control, char* text, int) { return Number(text, PositionOf<VSState>(control)); }
bool KnobValue(HWND control, char* text, int) { return Number(text, PositionOf<KnobState>(control)); }
bool HSValue(HWND control, char* text, int size) {
    const HSState* state = GetStateBlock<HSState>(control);
    if (!state) return Number(text, 0);
    char shown[hs_rules::kValueTextSize];
    const int n = hs_rules::FormatValueText(
        shown, hs_rules::DisplayValue(state->pos, state->displayOffset, state->rangeLow, state->rangeHigh, state->maxPos),
        state->suffix);
    return ShownText(text, size, shown, n);
}

// --- Bitmap list: "item of count" ---
bool BmpListValue(HWND control, char* text, int size) {
    const BmpListState* state = GetStateBlock<BmpListState>(control);
    char shown[accessible_rules::kItemOfCountBytes];
    accessible_rules::ItemOfCount(shown, state ? state->pos : -1, state ? state->count : 0);
    control_math::CopyBounded(text, static_cast<std::size_t>(size), shown, sizeof shown);
    return true;
}

// --- Digit display: the three digits drawn ---
bool DigitValue(HWND control, char* text, int) {
    const DigitState* state = GetStateBlock<DigitState>(control);
    const digit_rules::Glyphs g = digit_rules::ShownGlyphs(state ? state->value : 0);
    wsprintfA(text, "%d%d%d", static_cast<int>(g.hundreds), static_cast<int>(g.tens), static_cast<int>(g.units));
    return true;
}

// --- Bitmap text: the line as drawn, in capitals ---
bool BmpTextValue(HWND control, char* text, int size) {
    const BmpTextState* state = GetStateBlock<BmpTextState>(control);
    if (!state) return ShownText(text, size, "", 0);
    ShownText(text, size, state->text, static_cast<int>(sizeof state->text));
    for (char* p = text; *p; ++p)
        if (*p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - 'a' + 'A');
    return true;
}

// --- Gauge: the level in percent ---
bool BmpGageValue(HWND control, char* text, int) {
    const BmpGageState* state = GetStateBlock<BmpGageState>(control);
    wsprintfA(text, "%ld%%", state ? state->level : 0L);
    return true;
}

// --- Spinner: at least two digits ---
bool DigitExValue(HWND control, char* text, int) {
    wsprintfA(text, "%02ld", static_cast<LONG>(PositionOf<DigitExState>(control)));
    return true;
}

// --- Small text label ---
bool SmallTextValue(HWND control, char* text, int size) {
    const SmallTextState* state = GetStateBlock<SmallTextState>(control);
    return ShownText(text, size, state ? state->text : "", state ? static_cast<int>(sizeof state->text) : 0);
}

}  // namespace

extern const AccessibleClass kButtonAccess = {ROLE_SYSTEM_PUSHBUTTON, nullptr, ButtonBits, Press, false};
extern const AccessibleClass kStaticAccess = {ROLE_SYSTEM_GRAPHIC, nullptr, nullptr, nullptr, false};
extern const AccessibleClass kPopMenuAccess = {ROLE_SYSTEM_COMBOBOX, PopMenuValue, nullptr, Next, false};
extern const AccessibleClass kOnOffAccess = {ROLE_SYSTEM_CHECKBUTTON, nullptr, OnOffBits, OnOffAction, false};
extern const AccessibleClass kTogleAccess = {ROLE_SYSTEM_CHECKBUTTON, nullptr, TogleBits, TogleAction, false};
extern const AccessibleClass kState3Access = {ROLE_SYSTEM_CHECKBUTTON, nullptr, State3Bits, State3Action, false};
extern const AccessibleClass kVSAccess = {ROLE_SYSTEM_SLIDER, VSValue, nullptr, nullptr, false};
extern const AccessibleClass kHSAccess = {ROLE_SYSTEM_SLIDER, HSValue, nullptr, nullptr, false};
extern const AccessibleClass kBmpListAccess = {ROLE_SYSTEM_SPINBUTTON, BmpListValue, nullptr, Next, false};
extern const AccessibleClass kDigitAccess = {ROLE_SYSTEM_STATICTEXT, DigitValue, nullptr, nullptr, false};
extern const AccessibleClass kBmpTextAccess = {ROLE_SYSTEM_STATICTEXT, BmpTextValue, nullptr, nullptr, true};
extern const AccessibleClass kBmpGageAccess = {ROLE_SYSTEM_PROGRESSBAR, BmpGageValue, nullptr, nullptr, false};
extern const AccessibleClass kKnobAccess = {ROLE_SYSTEM_DIAL, KnobValue, nullptr, nullptr, false};
extern const AccessibleClass kDigitExAccess = {ROLE_SYSTEM_SPINBUTTON, DigitExValue, nullptr, Next, false};
extern const AccessibleClass kSmallTextAccess = {ROLE_SYSTEM_STATICTEXT, SmallTextValue, nullptr, nullptr, true};
