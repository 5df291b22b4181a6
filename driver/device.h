// Device access for the driver link: the three kernel32 operations it needs, with their
// meaning and arguments. Which implementation answers is chosen at link time:
//   device_kernel32.cpp  the interface's real driver (smptedesk.exe)
//   standin/             the stand-in driver (smptedesk-sim.exe)
//   tests                a recorder
#pragma once

#include <windows.h>

HANDLE DeviceOpen(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                  LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                  DWORD flagsAndAttributes, HANDLE templateFile);
BOOL DeviceControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize,
                   LPVOID outBuffer, DWORD outBufferSize, LPDWORD bytesReturned,
                   LPOVERLAPPED overlapped);
BOOL DeviceClose(HANDLE device);
