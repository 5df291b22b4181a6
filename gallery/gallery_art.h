// The toolkit gallery's art and layout, written by tools/gen-art (tools/gallery_art.py):
// regenerate, do not edit. Bitmap names are the lower-case names the code asks for; the
// resources store them upper-case (gallery/gallery.rc). Places are client pixels of the
// gallery window; where a control's image sizes it, the size is given all the same.
// Colours are COLORREF values (0x00BBGGRR).
#pragma once

namespace gallery_art {

struct Place {
    int x, y, w, h;
};
struct Size {
    int w, h;
};

constexpr unsigned long Rgb(int r, int g, int b) {
    return static_cast<unsigned long>(r | g << 8 | b << 16);
}

// Window: the client area is exactly the background bitmap, a brushed panel with the
// sections, wells, knob faces and legends drawn in. Paint it at 0,0 and keep
// WS_CLIPCHILDREN off: the knobs draw only their markers, so their faces are this
// bitmap showing through.
constexpr int kClientWidth = 900, kClientHeight = 560;
constexpr char kBackground[] = "gallery_bak";

// Dark displays: one LCD style for the wells, the digit and character strips, the
// spinners and the log (text and back colours below meet the wells exactly).
constexpr unsigned long kLcdBack = Rgb(6, 16, 10);
constexpr unsigned long kLcdText = Rgb(96, 255, 136);

// Bitmap push button (Zut_ButtonClass): a key shown at its image's size.
constexpr char kButtonUp[] = "button_up";
constexpr char kButtonDown[] = "button_down";
constexpr Size kKeySize = {56, 24};  // the three-state button's too
constexpr Place kPushButton = {47, 98, 56, 24};

// Popup-menu selector (Zut_PopMenuClass): the child button's columns plus the face. The
// child push button (id 5000) sits at 0,0, kMenuButtonWidth x 22, with menu_up and
// menu_down. The label is written at 24,4 in the shared font with the DC's default (black)
// text on the cream face, with kSelectorTextRoom pixels to the face's right edge (about
// 13 capitals).
constexpr char kMenuUp[] = "menu_up";
constexpr char kMenuDown[] = "menu_down";
constexpr char kMenuFace[] = "menu_face";
constexpr int kMenuButtonWidth = 20;
constexpr Size kMenuFaceSize = {120, 22};
constexpr int kSelectorTextRoom = 113;
constexpr Place kSelector = {152, 90, 140, 22};

// Bitmap list (Zut_BmpListClass): four oscilloscope images, in stepping order.
constexpr const char* kWaves[4] = {"wave_sine", "wave_square", "wave_saw", "wave_triangle"};
constexpr Size kWaveSize = {48, 32};
constexpr Place kBitmapList = {320, 84, 48, 32};

// On/off switch (Zut_OnOffClass): a bat toggle; the class loads its four images by these
// integer resource ids. Engraved ON above, OFF below: up is on.
constexpr int kSwitchPressedOff = 0x81, kSwitchReleasedOff = 0x82;
constexpr int kSwitchReleasedOn = 0x83, kSwitchPressedOn = 0x84;
constexpr Size kSwitchSize = {32, 48};
constexpr Place kOnOff = {426, 84, 32, 48};

// Static bitmap (Zut_StaticClass): a lamp; send WM_SETICON with one of these names (the
// first right after creation).
constexpr char kLampOff[] = "lamp_off";
constexpr char kLampGreen[] = "lamp_green";
constexpr char kLampRed[] = "lamp_red";
constexpr Size kLampSize = {24, 24};
constexpr Place kLamp = {494, 96, 24, 24};

// Three-state button (Zut_State3Class): a mode key, states 0 OFF, 1 ON, 2 AUTO.
constexpr const char* kModes[3] = {"mode_off", "mode_on", "mode_auto"};
constexpr Place kThreeState = {542, 96, 56, 24};

// Vertical sliders (Zut_VSClass): faders A and B. Position 0 at kVsTrackBottom, maxPos at
// y 0; the pointer is taken from kVsTrackTop. The engraved scales read 0 to kFaderMax;
// fader A's buddy is the digit display under it, fader B's the gauge.
constexpr char kVsTrack[] = "vs_track";
constexpr char kVsThumb[] = "vs_thumb";
constexpr char kVsThumbFocus[] = "vs_thumb_focus";
constexpr Size kVsTrackSize = {36, 136};
constexpr Size kVsThumbSize = {24, 13};
constexpr int kVsTrackTop = 0, kVsTrackBottom = 127;
constexpr Place kFaders[2] = {{64, 210, 36, 136}, {128, 210, 36, 136}};
constexpr int kFaderMax[2] = {127, 100};

// Horizontal sliders (Zut_HSClass): a cream trough for the bar and the black caption, and
// at the right a window of its own for the value text (up to 6 characters fit it; the
// bar and the thumb never reach it). Position 0 at x 0, maxPos at kHsTrackRight; the bar
// never gets shorter than kHsTrackLeft (the pointer still reaches 0).
constexpr char kHsBack[] = "hs_back";
constexpr char kHsThumb[] = "hs_thumb";
constexpr char kHsThumbFocus[] = "hs_thumb_focus";
constexpr Size kHsBackSize = {220, 24};
constexpr Size kHsThumbSize = {7, 22};
constexpr int kHsTrackLeft = 1, kHsTrackRight = 168;
constexpr Place kSliders[2] = {{176, 214, 220, 24}, {176, 270, 220, 24}};

// Digit display (Zut_DigitClass): eleven 6 x 7 cells, 0-9 then a dash (x 60) for values out
// of range; shows 18 x 7 at the place, in a well under fader A.
constexpr char kDigits[] = "digits";
constexpr Size kDigitsSize = {66, 7};
constexpr Place kDigitDisplay = {73, 358, 18, 7};

// Bitmap text (Zut_BmpTextClass): 39 cells of 6 x 7 (A-Z, 0-9, 36 a dot for the marks from
// the full stop up, 37 and 38 blank); kBitmapTextLength cells in its well.
constexpr char kCharset[] = "charset";
constexpr Size kCharsetSize = {234, 7};
constexpr int kBitmapTextLength = 30;
constexpr Place kBitmapText = {418, 438, 180, 7};

// Bitmap gauge (Zut_BmpGageClass): draws itself, over a recessed seat. The legend above it
// reads GAUGE: FOLLOWS FADER B: make it fader B's buddy (0..100 is its percent).
constexpr Place kGauge = {186, 340, 200, 12};

// Rotary knobs (Zut_KnobClass): markers on the flat top of the knob face drawn in the
// background: centre 38,38 of the place, orbit 15 px, 225 degrees (min)
// clockwise to -45 (max). The engraved scales read kKnobMin to kKnobMax (VALUE, then PAN).
constexpr char kKnobMarker[] = "knob_marker";
constexpr char kKnobMarkerFocus[] = "knob_marker_focus";
constexpr Size kMarkerSize = {7, 7};
constexpr Place kKnobs[2] = {{424, 224, 76, 76}, {526, 224, 76, 76}};
constexpr int kKnobMin[2] = {0, -50};
constexpr int kKnobMax[2] = {127, 50};

// Two-digit spinners (Zut_DigitExClass): hours, minutes, seconds, frames in one LCD well,
// captioned HRS MIN SEC FRM.
constexpr Place kSpinners[4] = {
    {40, 420, 52, 36},
    {98, 420, 52, 36},
    {156, 420, 52, 36},
    {214, 420, 52, 36},
};
constexpr unsigned long kSpinnerText = kLcdText, kSpinnerBack = kLcdBack;

// Bitmap toggles (Zut_TogleClass): the desk's start key and rate keys (their images size
// them), the rate keys in a recessed strip captioned FRAME/S.
constexpr char kStartOn[] = "start_on";
constexpr char kStartOff[] = "start_off";
constexpr Place kStartToggle = {288, 422, 44, 31};
constexpr const char* kRateOn[5] = {"24_on", "25_on", "2997_on", "30D_on", "30_on"};
constexpr const char* kRateOff[5] = {"24_off", "25_off", "2997_off", "30D_off", "30_off"};
constexpr Place kRateToggles[5] = {
    {40, 480, 40, 21},
    {85, 480, 40, 21},
    {130, 480, 40, 21},
    {175, 480, 40, 21},
    {220, 480, 40, 21},
};

// Small text label (Zut_SmallTextClass): amber on its own dark well, which it fills.
constexpr Place kSmallText = {408, 490, 200, 16};
constexpr unsigned long kSmallTextColor = Rgb(255, 176, 48);
constexpr unsigned long kSmallTextBack = Rgb(26, 16, 4);

// Notification log: a borderless LISTBOX (the well is its bezel) in the LCD colours; the
// clear key is a push button with its own pair of images.
constexpr Place kLog = {638, 76, 224, 424};
constexpr unsigned long kLogText = kLcdText;
constexpr unsigned long kLogBack = kLcdBack;
constexpr char kClearUp[] = "clear_up";
constexpr char kClearDown[] = "clear_down";
constexpr Size kClearSize = {48, 18};
constexpr Place kClearKey = {812, 510, 48, 18};

}  // namespace gallery_art
