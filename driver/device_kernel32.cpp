// The real device: the interface's kernel driver through kernel32.
#include "driver/device.h"

HANDLE DeviceOpen(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                  LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                  DWORD flagsAndAttributes, HANDLE templateFile) {
    return CreateFileA(fileName, desiredAccess, shareMode, security, creationDisposition,
                       flagsAndAttributes, templateFile);
}

BOOL DeviceControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize,
                   LPVOID outBuffer, DWORD outBufferSize, LPDWORD bytesReturned,
                   LPOVERLAPPED overlapped) {
    return DeviceIoControl(device, ioControlCode, inBuffer, inBufferSize, outBuffer,
                           outBufferSize, bytesReturned, overlapped);
}

BOOL DeviceClose(HANDLE device) {
    return CloseHandle(device);
}
