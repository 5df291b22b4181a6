// The stand-in for the interface's kernel driver, as far as the desk can tell the driver
// itself: its device opens, a generator command starts, restarts or stops a real-time MIDI
// Time Code generator, and the generator posts WM_MTC_BYTE to the window of the last start
// record, one message per byte (0xF1, then the data byte), on a thread of its own.
//
// Device entry points, with the meaning of CreateFileA, DeviceIoControl and CloseHandle:
//   - StandinOpen succeeds for the driver's device name "\\.\QorinVxd.Vxd" (any case) with a
//     pseudo handle, whatever the other arguments; any other name fails with
//     ERROR_FILE_NOT_FOUND. StandinClose releases a pseudo handle; closing does not stop the
//     generator (the desk opens the device anew for every command).
//   - StandinControl accepts IOCTL_GENERATOR_COMMAND with a 28-byte input record:
//       command 1: (re)start from the record's time at its rate index (0..4), posting to the
//                  record's window (a 32-bit handle, sign-extended). A running generator is
//                  stopped first, so the old run's messages all precede the new run's.
//       command 0: stop. When the call returns, the generator has posted its last message.
//     It writes the record back when the output buffer holds 28 bytes. It fails with
//     ERROR_INVALID_HANDLE, ERROR_INVALID_FUNCTION (another code) or ERROR_INVALID_PARAMETER
//     (short or missing input, unknown command, rate index out of range) and then leaves
//     the generator as it was. Calls are synchronous; an OVERLAPPED is ignored.
//
// Timing: quarter frame n is posted at the run's origin + n x period, the origin being the
// generator thread's first reading of QueryPerformanceCounter (so the first set always starts
// at the record's time, whatever the thread's start-up latency). Between quarter frames the
// thread sleeps whole milliseconds on its stop event, with the system timer at 1 ms
// (timeBeginPeriod) while it runs, and spins off the sub-millisecond rest by yielding the
// processor: never early, punctual to a fraction of a millisecond, at a few per cent of one
// core. Late quarter frames are never accumulated into the schedule; they are caught up by
// the sequencer's rule (standin/mtc_sequencer.h): a few are sent at once, after a longer stall
// the generator skips to the next set start. A window that goes away does not stop the
// generator; its messages are lost, as with the real driver.
#pragma once

#include <windows.h>

extern const char kStandinDeviceName[];

HANDLE StandinOpen(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES security, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);
BOOL StandinControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize,
                    LPVOID outBuffer, DWORD outBufferSize, LPDWORD bytesReturned,
                    LPOVERLAPPED overlapped);
BOOL StandinClose(HANDLE device);
