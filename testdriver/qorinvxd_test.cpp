// A test driver for the interface's device, for Wine: it plays the interface's driver as far
// as the desk can tell, and logs every request it receives, so that the tests can check what
// the real smptedesk.exe sends through kernel32.
//
// - The device "\Device\QorinVxd", reached by the desk's name through the link
//   "\DosDevices\QorinVxd.Vxd", accepts every open and close.
// - A control request with code 0x222004, a 28-byte record in and no output or a 28-byte one
//   (the record written back) is a generator command: command 1 starts the quarter-frame
//   stream to the record's window from the record's time at the record's rate (a new start
//   replaces the running stream), command 0 stops it. Any other code, size, command or rate
//   index is refused with an error status and changes nothing.
// - Every open, close and control request is one line of the log file
//   C:\windows\temp\qorinvxd-test.log, appended as it arrives:
//       open
//       control 00222004 in 28 out 28 data 01000000... status 00000000
//       close
//   ("data" is the input, in hex, at most 64 bytes of it), and "load process N" and
//   "unload process N" mark the driver's start and end in its host process N.
// - Unloading stops the stream and removes the link and the device.
//
// The stream is the stand-in's sequencing (standin/mtc_sequencer.h) on a system thread of the
// driver's own, posted to the window through user32: Wine hosts drivers in a user process
// (winedevice.exe), where that works; no real kernel driver could.
// The DDK's own bit-test routines, not the compiler intrinsics' copies of them (in C++ the two
// definitions collide).
#define __INTRINSIC_DEFINED_InterlockedBitTestAndSet
#define __INTRINSIC_DEFINED_InterlockedBitTestAndReset
#include <ntddk.h>

#include <new>

#include "driver/generator_command.h"
#include "standin/mtc_sequencer.h"

extern "C" {
__declspec(dllimport) int __stdcall PostMessageA(void* window, unsigned message,
                                                 ULONG_PTR wParam, LONG_PTR lParam);
NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath);
NTSYSAPI NTSTATUS NTAPI ZwWaitForSingleObject(HANDLE object, BOOLEAN alertable,
                                              PLARGE_INTEGER timeout);
}

namespace {

constexpr unsigned kWmMtcByte = 0x402;  // the desk's WM_MTC_BYTE
constexpr ULONG kPoolTag = 0x74515A56;  // 'VZQt'
constexpr ULONG kLoggedBytes = 64;

// One running stream: its settings, its thread and the means to stop it.
struct Stream {
    Stream(const MtcSequencer& s, void* w) : sequencer(s), window(w) {}
    const MtcSequencer sequencer;
    void* const window;
    KEVENT wake;                  // set to stop the thread's wait at once
    volatile LONG stopRequested;  // checked before every quarter frame
    HANDLE thread;
};

// The driver's state. Requests and unloading take the mutex, in that order of events.
KMUTEX g_lock;
Stream* g_stream;
HANDLE g_log;
PDEVICE_OBJECT g_device;

UNICODE_STRING Text(const wchar_t* s) {
    UNICODE_STRING u;
    RtlInitUnicodeString(&u, s);
    return u;
}

void Lock() { KeWaitForSingleObject(&g_lock, Executive, KernelMode, FALSE, nullptr); }
void Unlock() { KeReleaseMutex(&g_lock, FALSE); }

// --- the log -------------------------------------------------------------------------------

struct Line {
    char text[256];
    ULONG length;
    void Add(const char* s) {
        while (*s && length < sizeof text - 1) text[length++] = *s++;
    }
    void Hex(const unsigned char* bytes, ULONG count) {
        static const char digits[] = "0123456789abcdef";
        for (ULONG i = 0; i < count && length < sizeof text - 3; ++i) {
            text[length++] = digits[bytes[i] >> 4];
            text[length++] = digits[bytes[i] & 15];
        }
    }
    void Hex32(ULONG value) {
        const unsigned char b[4] = {static_cast<unsigned char>(value >> 24),
                                    static_cast<unsigned char>(value >> 16),
                                    static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value)};
        Hex(b, 4);
    }
    void Decimal(ULONG value) {
        char digits[10];
        int n = 0;
        do digits[n++] = static_cast<char>('0' + value % 10); while ((value /= 10) != 0);
        while (n > 0 && length < sizeof text - 1) text[length++] = digits[--n];
    }
};

void OpenLog() {
    UNICODE_STRING name = Text(L"\\??\\C:\\windows\\temp\\qorinvxd-test.log");
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &name, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE,
                               nullptr, nullptr);
    IO_STATUS_BLOCK io;
    if (!NT_SUCCESS(ZwCreateFile(&g_log, FILE_APPEND_DATA | SYNCHRONIZE, &attributes, &io,
                                 nullptr, FILE_ATTRIBUTE_NORMAL,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 FILE_OPEN_IF, FILE_SYNCHRONOUS_IO_NONALERT | FILE_NON_DIRECTORY_FILE,
                                 nullptr, 0)))
        g_log = nullptr;
}

void Log(Line& line) {
    if (!g_log) return;
    line.text[line.length++] = '\n';
    IO_STATUS_BLOCK io;
    LARGE_INTEGER atEnd;
    atEnd.HighPart = -1;
    atEnd.LowPart = FILE_WRITE_TO_END_OF_FILE;
    ZwWriteFile(g_log, nullptr, nullptr, nullptr, &io, line.text, line.length, &atEnd, nullptr);
}

void LogWord(const char* word) {
    Line line{};
    line.Add(word);
    Log(line);
}

// "load" and "unload" name the host process, in which more than one driver may live.
void LogLifetime(const char* word) {
    Line line{};
    line.Add(word);
    line.Add(" process ");
    line.Decimal(static_cast<ULONG>(reinterpret_cast<ULONG_PTR>(PsGetCurrentProcessId())));
    Log(line);
}

// --- the stream ----------------------------------------------------------------------------

// Window handles are 32-bit values; a 64-bit process sign-extends them.
void* WindowOfRecord(std::uint32_t window) {
    return reinterpret_cast<void*>(static_cast<LONG_PTR>(static_cast<std::int32_t>(window)));
}

// Quarter frames by absolute due time from the start, late ones caught up by the sequencer's
// rule; the wait between them ends early when the stream is stopped.
void NTAPI StreamMain(void* parameter) {
    Stream& stream = *static_cast<Stream*>(parameter);
    LARGE_INTEGER frequency;
    const ULONGLONG origin = KeQueryPerformanceCounter(&frequency).QuadPart;
    const ULONGLONG perSecond = frequency.QuadPart;
    std::uint64_t next = 0;  // first quarter frame not yet sent
    while (!stream.stopRequested) {
        const ULONGLONG elapsed = KeQueryPerformanceCounter(nullptr).QuadPart - origin;
        next = stream.sequencer.NextToSend(next, elapsed, perSecond);
        const ULONGLONG due = stream.sequencer.DueTime(next, perSecond);
        if (elapsed < due) {
            ULONGLONG wait = (due - elapsed) * 10000000 / perSecond;  // 100 ns units
            if (wait == 0) wait = 1;
            LARGE_INTEGER timeout;
            timeout.QuadPart = -static_cast<LONGLONG>(wait);
            KeWaitForSingleObject(&stream.wake, Executive, KernelMode, FALSE, &timeout);
            continue;
        }
        const QuarterFrameBytes bytes = stream.sequencer.Bytes(next++);
        PostMessageA(stream.window, kWmMtcByte, bytes.status, 0);
        PostMessageA(stream.window, kWmMtcByte, bytes.data, 0);
    }
    PsTerminateSystemThread(STATUS_SUCCESS);
}

void StopStream() {
    Stream* stream = g_stream;
    if (!stream) return;
    g_stream = nullptr;
    InterlockedExchange(&stream->stopRequested, 1);
    KeSetEvent(&stream->wake, IO_NO_INCREMENT, FALSE);
    ZwWaitForSingleObject(stream->thread, FALSE, nullptr);
    ZwClose(stream->thread);
    stream->~Stream();
    ExFreePoolWithTag(stream, kPoolTag);
}

NTSTATUS StartStream(const GeneratorCommand& record, MtcRate rate) {
    StopStream();
    void* memory = ExAllocatePoolWithTag(NonPagedPool, sizeof(Stream), kPoolTag);
    if (!memory) return STATUS_INSUFFICIENT_RESOURCES;
    const MtcTime start = {record.hours, record.minutes, record.seconds, record.frames};
    Stream* stream = new (memory) Stream(MtcSequencer(start, rate), WindowOfRecord(record.window));
    KeInitializeEvent(&stream->wake, NotificationEvent, FALSE);
    stream->stopRequested = 0;
    const NTSTATUS status = PsCreateSystemThread(&stream->thread, THREAD_ALL_ACCESS, nullptr,
                                                 nullptr, nullptr, StreamMain, stream);
    if (!NT_SUCCESS(status)) {
        stream->~Stream();
        ExFreePoolWithTag(stream, kPoolTag);
        return status;
    }
    g_stream = stream;
    return STATUS_SUCCESS;
}

// --- the requests --------------------------------------------------------------------------

NTSTATUS Complete(PIRP irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

NTSTATUS NTAPI OnCreate(PDEVICE_OBJECT, PIRP irp) {
    Lock();
    LogWord("open");
    Unlock();
    return Complete(irp, STATUS_SUCCESS, 0);
}

NTSTATUS NTAPI OnClose(PDEVICE_OBJECT, PIRP irp) {
    Lock();
    LogWord("close");
    Unlock();
    return Complete(irp, STATUS_SUCCESS, 0);
}

NTSTATUS NTAPI OnCleanup(PDEVICE_OBJECT, PIRP irp) { return Complete(irp, STATUS_SUCCESS, 0); }

// What a generator command does; an error status changes nothing.
NTSTATUS Command(ULONG code, const unsigned char* in, ULONG inSize, ULONG outSize) {
    if (code != IOCTL_GENERATOR_COMMAND) return STATUS_INVALID_DEVICE_REQUEST;
    if (inSize != sizeof(GeneratorCommand) || (outSize != 0 && outSize != sizeof(GeneratorCommand)))
        return STATUS_INVALID_BUFFER_SIZE;
    const GeneratorCommand record = ParseGeneratorCommand(in);
    MtcRate rate = MtcRate::Fps30;
    if (record.command == static_cast<std::int32_t>(kCommandStop)) {
        StopStream();
        return STATUS_SUCCESS;
    }
    if (record.command == static_cast<std::int32_t>(kCommandStart) &&
        MtcRateFromIndex(record.frameRateIndex, rate))
        return StartStream(record, rate);
    return STATUS_INVALID_PARAMETER;
}

NTSTATUS NTAPI OnControl(PDEVICE_OBJECT, PIRP irp) {
    const IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
    const ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    const ULONG inSize = stack->Parameters.DeviceIoControl.InputBufferLength;
    const ULONG outSize = stack->Parameters.DeviceIoControl.OutputBufferLength;
    // Buffered: the input is in the system buffer, which the output then overwrites.
    const unsigned char* buffer = static_cast<const unsigned char*>(irp->AssociatedIrp.SystemBuffer);
    Lock();
    const NTSTATUS status = buffer || inSize == 0 ? Command(code, buffer, inSize, outSize)
                                                  : STATUS_INVALID_PARAMETER;
    Line line{};
    line.Add("control ");
    line.Hex32(code);
    line.Add(" in ");
    line.Decimal(inSize);
    line.Add(" out ");
    line.Decimal(outSize);
    line.Add(" data ");
    if (buffer) line.Hex(buffer, inSize < kLoggedBytes ? inSize : kLoggedBytes);
    line.Add(" status ");
    line.Hex32(static_cast<ULONG>(status));
    Log(line);
    Unlock();
    // The record written back is the record received, as it stands in the buffer.
    return Complete(irp, status, NT_SUCCESS(status) ? outSize : 0);
}

void NTAPI OnUnload(PDRIVER_OBJECT) {
    Lock();
    StopStream();
    UNICODE_STRING link = Text(L"\\DosDevices\\QorinVxd.Vxd");
    IoDeleteSymbolicLink(&link);
    if (g_device) IoDeleteDevice(g_device);
    g_device = nullptr;
    LogLifetime("unload");
    if (g_log) ZwClose(g_log);
    g_log = nullptr;
    Unlock();
}

}  // namespace

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING) {
    KeInitializeMutex(&g_lock, 0);
    OpenLog();
    UNICODE_STRING name = Text(L"\\Device\\QorinVxd");
    NTSTATUS status = IoCreateDevice(driver, 0, &name, FILE_DEVICE_UNKNOWN, 0, FALSE, &g_device);
    if (!NT_SUCCESS(status)) return status;
    UNICODE_STRING link = Text(L"\\DosDevices\\QorinVxd.Vxd");
    status = IoCreateSymbolicLink(&link, &name);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(g_device);
        return status;
    }
    driver->MajorFunction[IRP_MJ_CREATE] = OnCreate;
    driver->MajorFunction[IRP_MJ_CLOSE] = OnClose;
    driver->MajorFunction[IRP_MJ_CLEANUP] = OnCleanup;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = OnControl;
    driver->DriverUnload = OnUnload;
    LogLifetime("load");
    return STATUS_SUCCESS;
}
