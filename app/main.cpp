// Program entry: any argument reports the driver's error log; otherwise the desk runs if its
// driver is there. The exit code is 0 on every path.
#include <windows.h>

#include "app/desk_window.h"
#include "controls/toolkit.h"
#include "driver/driver_link.h"
#include "driver/error_log.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    if (commandLine && commandLine[0] != '\0') return ReportDriverErrors();
    if (!IsDriverPresent()) return 0;
    RegisterControlClasses(instance);
    const int result = RunDeskWindow(instance, showCommand);
    UnregisterControlClasses();
    return result;
}
