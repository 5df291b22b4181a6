#include "tests/win32/device_recorder.h"

#include "driver/device.h"

DeviceRecorder g_device;

HANDLE RecorderHandle() {
    return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x5151));
}

int DeviceRecorder::Count(DeviceCall::Kind kind) const {
    int n = 0;
    for (const DeviceCall& c : calls) n += c.kind == kind;
    return n;
}

HANDLE DeviceOpen(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                  LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                  DWORD flagsAndAttributes, HANDLE templateFile) {
    DeviceCall c = {};
    c.kind = DeviceCall::Open;
    c.name = fileName;
    c.access = desiredAccess;
    c.share = shareMode;
    c.disposition = creationDisposition;
    c.flags = flagsAndAttributes;
    c.securityNull = security == nullptr;
    c.templateNull = templateFile == nullptr;
    g_device.calls.push_back(c);
    return g_device.present ? RecorderHandle() : INVALID_HANDLE_VALUE;
}

BOOL DeviceControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize,
                   LPVOID outBuffer, DWORD outBufferSize, LPDWORD bytesReturned,
                   LPOVERLAPPED overlapped) {
    DeviceCall c = {};
    c.kind = DeviceCall::Control;
    c.handle = device;
    c.code = ioControlCode;
    c.inSize = inBufferSize;
    c.outSize = outBufferSize;
    c.inIsOut = inBuffer == outBuffer;
    c.returnedGiven = bytesReturned != nullptr;
    c.overlappedNull = overlapped == nullptr;
    const unsigned char* in = static_cast<const unsigned char*>(inBuffer);
    c.input.assign(in, in + inBufferSize);
    g_device.calls.push_back(c);
    return TRUE;
}

BOOL DeviceClose(HANDLE device) {
    DeviceCall c = {};
    c.kind = DeviceCall::Close;
    c.handle = device;
    g_device.calls.push_back(c);
    return TRUE;
}
