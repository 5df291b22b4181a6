// Every class of the toolkit, one by one: made with images by its creation function, repainted
// 1,000 times by a message that repaints at once and 1,000 times through WM_PAINT, destroyed;
// no GDI object outlives it (counted by free handle slots) and no window stays.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

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
#include "tests/win32/win32_test_support.h"

namespace {

// The images the classes are made with, owned by the test.
struct Images {
    TestBitmap strip{6, 7, DistinctColours(39)};
    TestBitmap plain{20, 22, {RGB(0, 160, 0)}};
    TestBitmap track{120, 110, {RGB(0, 0, 200)}};
    HBITMAP list[2] = {strip, plain};
};

const char* const kLabels[] = {"Alpha", "Beta", "Gamma"};

// A class's creation, and its change that repaints at once (the spinner and the label only
// invalidate: there the paint that follows at once is UpdateWindow's).
struct ClassCase {
    const char* name;
    HWND (*make)(HWND parent, const Images& m);
    void (*change)(HWND control, int i);
};

HINSTANCE In() { return TestInstance(); }
void SetPos(HWND w, int pos) { SendMessageA(w, SBM_SETPOS, pos, 0); }

const ClassCase kClasses[] = {
    {"Button", [](HWND p, const Images& m) { return CreateButton(In(), p, 1, 0, 0, m.plain, m.strip); },
     [](HWND w, int i) { SendMessageA(w, i % 2 ? WM_LBUTTONUP : WM_LBUTTONDOWN, 0, 0); }},
    {"Static", [](HWND p, const Images&) { return CreateStatic(In(), p, 1, 0, 0, "gdi_image"); },
     [](HWND w, int) { SendMessageA(w, WM_SETICON, 0, reinterpret_cast<LPARAM>("gdi_image")); }},
    {"PopMenu", [](HWND p, const Images& m) {
         return CreatePopMenu(In(), p, 1, 0, 0, m.track, m.plain, m.strip, kLabels, 3, 0); },
     [](HWND w, int i) { SetPos(w, i % 3); }},
    {"OnOff", [](HWND p, const Images&) { return CreateOnOff(In(), p, 1, 0, 0, 20, 10); },
     [](HWND w, int i) { SendMessageA(w, BM_SETCHECK, i % 2, 0); }},
    {"Togle", [](HWND p, const Images&) { return CreateTogle(In(), p, 1, 0, 0, "start_on", "start_off"); },
     [](HWND w, int i) { SendMessageA(w, BM_SETCHECK, i % 2, 0); }},
    {"State3", [](HWND p, const Images& m) { return CreateState3(In(), p, 1, 0, 0, m.plain, m.strip, m.track); },
     [](HWND w, int i) { SendMessageA(w, BM_SETCHECK, i % 3, 0); }},
    {"VS", [](HWND p, const Images& m) {
         return CreateVS(In(), p, 1, 0, 0, m.track, m.plain, m.strip, 10, 100, 127, 8, nullptr); },
     [](HWND w, int i) { SetPos(w, i % 128); }},
    {"HS", [](HWND p, const Images& m) {
         return CreateHS(In(), p, 1, 0, 0, 120, 30, m.track, m.plain, m.strip, 4, 90, 127, "Pan", "dB", -64, 63); },
     [](HWND w, int i) { SetPos(w, i % 128); }},
    {"BmpList", [](HWND p, const Images& m) { return CreateBmpList(In(), p, 1, 0, 0, m.list, 2); },
     [](HWND w, int i) { SetPos(w, i % 2); }},
    {"Digit", [](HWND p, const Images& m) { return CreateDigit(In(), p, 1, 0, 0, m.strip, 0); },
     [](HWND w, int i) { SetPos(w, i); }},
    {"BmpText", [](HWND p, const Images& m) { return CreateBmpText(In(), p, 1, 0, 0, m.strip, 8, ""); },
     [](HWND w, int i) { SetWindowTextA(w, i % 2 ? "odd" : "even"); }},
    {"BmpGage", [](HWND p, const Images&) { return CreateBmpGage(In(), p, 1, 0, 0, 50, 10, 0); },
     [](HWND w, int i) { SetPos(w, i % 101); }},
    {"Knob", [](HWND p, const Images& m) { return CreateKnob(In(), p, 1, 0, 0, 40, 40, m.plain, m.strip, -10, 10, 0); },
     [](HWND w, int i) { SetPos(w, i % 21 - 10); }},
    {"DigitEx", [](HWND p, const Images&) { return CreateDigitEx(In(), p, 1, 0, 0, 60, 40, RGB(0, 255, 0), 0, 99, 0); },
     [](HWND w, int i) { SetPos(w, i % 100); }},
    {"SmallText", [](HWND p, const Images&) { return CreateSmallText(In(), p, 1, 0, 0, 80, 20); },
     [](HWND w, int i) { SetWindowTextA(w, i % 2 ? "on" : "off"); }},
};

void PrintTo(const ClassCase& c, std::ostream* os) { *os << c.name; }

class EveryClass : public ::testing::TestWithParam<ClassCase> {};

TEST_P(EveryClass, CreateRepaintDestroyLeavesNoGdiObjectAndNoWindow) {
    EnsureToolkitRegistered();
    FreeCachedBitmaps();  // the on/off switch's four images and the static's, from the test
    for (int id = 0x81; id <= 0x84; ++id)
        PutCachedBitmap(MAKEINTRESOURCEA(id), TestBitmap(20, 10, {RGB(id, 0, 0)}).Release());
    PutCachedBitmap("gdi_image", TestBitmap(20, 10, {RGB(0, 0, 200)}).Release());
    const Images images;
    HWND parent = CreateTestParent();
    HWND control = nullptr;
    const auto exercise = [&] {
        control = GetParam().make(parent, images);
        ASSERT_NE(control, nullptr);
        for (int i = 0; i < 1000; ++i) {
            GetParam().change(control, i);
            UpdateWindow(control);
        }
        for (int i = 0; i < 1000; ++i) {
            InvalidateRect(control, nullptr, TRUE);
            UpdateWindow(control);
        }
        DestroyWindow(control);
        DrainPosted();
    };
    EXPECT_EQ(LeakedGdiObjects(exercise), 0);
    EXPECT_FALSE(IsWindow(control));
    EXPECT_EQ(GetWindow(parent, GW_CHILD), nullptr);
    DestroyWindow(parent);
}

INSTANTIATE_TEST_SUITE_P(Toolkit, EveryClass, ::testing::ValuesIn(kClasses),
                         [](const ::testing::TestParamInfo<ClassCase>& info) { return std::string(info.param.name); });

}  // namespace
