// A recording device for the driver link: every open, control call and close, in order.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct DeviceCall {
    enum Kind { Open, Control, Close } kind;
    // Open
    std::string name;
    DWORD access, share, disposition, flags;
    bool securityNull, templateNull;
    // Control
    DWORD code, inSize, outSize;
    bool inIsOut, returnedGiven, overlappedNull;
    std::vector<unsigned char> input;  // the input bytes as the call saw them
    // Control and Close
    HANDLE handle;
};

struct DeviceRecorder {
    bool present = true;              // false: every open fails
    std::vector<DeviceCall> calls;
    void Reset(bool devicePresent = true) { present = devicePresent; calls.clear(); }
    int Count(DeviceCall::Kind kind) const;
};

extern DeviceRecorder g_device;

// The handle the recorder hands out on a successful open.
HANDLE RecorderHandle();
