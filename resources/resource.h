// Resource identifiers of the desk program.
#pragma once

#define IDS_APP_CLASS_LOWER   103  // "QorinPan" (unused)
#define IDS_HELLO             106  // "Hello World!" (unused)
#define IDS_WINDOW_CLASS      109  // "QORINPAN": the desk window's class name

#define IDI_DESK              107  // the program icon
#define IDI_DESK_SMALL        108  // named as the class's small icon; the resources lack it

#define IDC_DESK_ACCEL        109  // accelerators: Alt+"?" and Alt+"/" give IDM_ABOUT
#define IDM_DESK_MENU         109  // menu attached to no window
#define IDD_ABOUT             103  // About dialog, never shown

#define IDM_ABOUT             104
#define IDM_EXIT              105
