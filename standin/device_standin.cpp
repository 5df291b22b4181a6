// The device seam bound to the stand-in driver (smptedesk-sim.exe and its timing benchmark).
#include "driver/device.h"

#include "standin/standin_driver.h"

HANDLE DeviceOpen(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                  LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                  DWORD flagsAndAttributes, HANDLE templateFile) {
    return StandinOpen(fileName, desiredAccess, shareMode, security, creationDisposition,
                       flagsAndAttributes, templateFile);
}

BOOL DeviceControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize,
                   LPVOID outBuffer, DWORD outBufferSize, LPDWORD bytesReturned,
                   LPOVERLAPPED overlapped) {
    return StandinControl(device, ioControlCode, inBuffer, inBufferSize, outBuffer,
                          outBufferSize, bytesReturned, overlapped);
}

BOOL DeviceClose(HANDLE device) {
    return StandinClose(device);
}
