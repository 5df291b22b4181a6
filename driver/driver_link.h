// The desk's only channel to the interface's driver: a presence test and the sending of one
// generator command. No handle stays open between calls.
#pragma once

#include <windows.h>

// "\\.\QorinVxd.Vxd"
extern const char kDriverDeviceName[];

// True when the device can be opened (it is closed again at once).
bool IsDriverPresent();

// Opens the device, sends one 28-byte record (rate index last in the record) in and out
// through IOCTL_GENERATOR_COMMAND, closes the device. False only when the open failed, in
// which case nothing is sent; what the driver answers is not looked at.
bool SendGeneratorCommand(int command, HWND window, int frameRateIndex, unsigned hours,
                          unsigned minutes, unsigned seconds, unsigned frames);
