// The desk's one top-level window: background bitmap, the desk panel's controls, and the
// routing of commands, time code bytes and painting.
#pragma once

#include <windows.h>

struct DeskPanel;

// Window message posted by the driver: one MIDI byte in the low 8 bits of wParam.
constexpr UINT WM_MTC_BYTE = WM_USER + 2;

// Process-wide values, set on the GUI thread during start-up and WM_CREATE.
extern HINSTANCE g_programInstance;
extern HBITMAP g_backgroundBitmap;
extern DeskPanel* g_deskPanel;

// The desk window's title, formatted from "Korvane - SMPTE Desk %s" and the version text.
extern const char kDeskTitleFormat[];
extern const char kDeskVersion[];

// Registers the desk window's class and creates the window (not yet shown). Null when the
// window cannot be created.
HWND CreateDeskWindow(HINSTANCE instance);

// Registers the class, creates, shows and updates the window and runs the message loop until
// the quit message; returns its wParam (0 when the window cannot be created).
int RunDeskWindow(HINSTANCE instance, int showCommand);

LRESULT CALLBACK DeskWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Size of the background the desk is designed on; the window keeps it when the bitmap cannot
// be obtained, so the panel's controls still stand at their places.
constexpr int kDesignedBackgroundWidth = 339;
constexpr int kDesignedBackgroundHeight = 100;
