// The desk panel: four time spinners, the start toggle and five rate toggles, and the
// routines that turn their commands into generator commands.
#pragma once

#include <windows.h>

struct DeskPanel {
    int panelNumber;       // block of control ids: ids are offset by panelNumber << 12
    HWND hours;            // hours spinner
    HWND minutes;          // minutes spinner
    HWND seconds;          // seconds spinner
    HWND frames;           // frames spinner
    HWND startToggle;      // start toggle
    HWND rateToggles[5];   // indexed by FrameRateIndex: 24, 25, 29.97, 30 drop-frame, 30
};

// 0 = 24, 1 = 25, 2 = 29.97, 3 = 30 drop-frame, 4 = 30 frames per second.
extern int FrameRateIndex;

// Control ids before the panel number's offset.
constexpr int kHoursId = 0x880;
constexpr int kMinutesId = 0x881;
constexpr int kSecondsId = 0x882;
constexpr int kFramesId = 0x883;
constexpr int kStartId = 0x860;
constexpr int kRateId0 = 0x870;

// Construction: stores the panel number; with a parent, creates the ten controls in order
// and checks the rate toggle of FrameRateIndex. Without a parent no control is made.
void BuildDeskPanel(DeskPanel* panel, HWND parent, int x0, int y0, int panelNumber);

// Allocates and builds a panel; null when it cannot be allocated (nothing is created then).
DeskPanel* NewDeskPanel(HWND parent, int x0, int y0, int panelNumber);
// The panel's allocator (a test may swap it to refuse the allocation).
extern void* (*g_deskPanelAlloc)(SIZE_T size);

void StartStopGenerator(HWND window);
void SelectFrameRate(HWND window, int index);
LRESULT DispatchDeskCommand(HWND window, WPARAM wParam, LPARAM lParam);
