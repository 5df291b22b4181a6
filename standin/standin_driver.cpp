#include "standin/standin_driver.h"

#include <mmsystem.h>

#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>

#include "app/desk_window.h"
#include "driver/generator_command.h"
#include "standin/mtc_sequencer.h"

const char kStandinDeviceName[] = "\\\\.\\QorinVxd.Vxd";

namespace {

// One generator run: its settings, its thread and the means to stop it.
struct Run {
    Run(const MtcSequencer& s, HWND w) : sequencer(s), window(w) {}
    const MtcSequencer sequencer;
    const HWND window;
    HANDLE stopEvent = nullptr;       // manual-reset: wakes the thread's waits
    HANDLE thread = nullptr;
    std::atomic<bool> stopRequested{false};  // checked before every quarter frame
};

constexpr UINT_PTR kPseudoHandleBase = 0x5D1E0000;
constexpr std::uint32_t kHandleCount = 0x10000;  // the pseudo handles' 16-bit counter

// The driver's state, shared by every caller of the entry points.
struct Driver {
    CRITICAL_SECTION lock;
    std::uint32_t openHandles[kHandleCount / 32];  // one bit per pseudo handle handed out and not yet closed
    std::uint32_t handleCounter;
    Run* run;  // the running generator, if any
};

// Made on first use and never destroyed: a generator thread may still be running while the
// process exits, and no destructor may race with it. The first caller sets it up; a caller
// on another thread meanwhile waits.
Driver g_driver;
std::atomic<int> g_driverReady{0};  // 0 not made, 1 being made, 2 ready

Driver& TheDriver() {
    int state = g_driverReady.load();
    if (state != 2) {
        int none = 0;
        if (g_driverReady.compare_exchange_strong(none, 1)) {
            InitializeCriticalSection(&g_driver.lock);
            g_driverReady.store(2);
        } else {
            while (g_driverReady.load() != 2) Sleep(0);
        }
    }
    return g_driver;
}

class DriverLock {
public:
    explicit DriverLock(Driver& d) : d_(d) { EnterCriticalSection(&d_.lock); }
    ~DriverLock() { LeaveCriticalSection(&d_.lock); }
    DriverLock(const DriverLock&) = delete;
    DriverLock& operator=(const DriverLock&) = delete;
private:
    Driver& d_;
};

constexpr DWORD kStopWaitCapMs = 1000;

std::uint64_t CounterNow() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<std::uint64_t>(t.QuadPart);
}

std::uint64_t CounterFrequency() {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<std::uint64_t>(f.QuadPart);
}

// Window handles are 32-bit values; a 64-bit process sign-extends them.
HWND WindowOfRecord(std::uint32_t window) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(window)));
}

// Lets about `ticks` counter ticks pass, or fewer; true when the run is stopped meanwhile.
// Whole milliseconds are slept on the stop event (rounded down, so the thread wakes at most a
// timer tick after the due time); a sub-millisecond rest is spun off by giving up the time
// slice (Sleep(0): SwitchToThread does not exist on Windows 9x), which keeps the thread
// punctual.
bool WaitOrStop(const Run& run, std::uint64_t ticks, std::uint64_t frequency) {
    std::uint64_t ms = ticks * 1000 / frequency;
    if (ms == 0) {
        Sleep(0);
        return run.stopRequested.load();
    }
    if (ms > kStopWaitCapMs) ms = kStopWaitCapMs;
    return WaitForSingleObject(run.stopEvent, static_cast<DWORD>(ms)) == WAIT_OBJECT_0;
}

DWORD WINAPI GeneratorMain(LPVOID param) {
    Run& run = *static_cast<Run*>(param);
    timeBeginPeriod(1);
    const std::uint64_t frequency = CounterFrequency();
    const std::uint64_t origin = CounterNow();
    std::uint64_t next = 0;  // first quarter frame not yet sent
    while (!run.stopRequested.load()) {
        const std::uint64_t elapsed = CounterNow() - origin;
        next = run.sequencer.NextToSend(next, elapsed, frequency);
        const std::uint64_t due = run.sequencer.DueTime(next, frequency);
        if (elapsed < due) {
            if (WaitOrStop(run, due - elapsed, frequency)) break;
            continue;
        }
        const QuarterFrameBytes bytes = run.sequencer.Bytes(next++);
        PostMessageA(run.window, WM_MTC_BYTE, bytes.status, 0);
        PostMessageA(run.window, WM_MTC_BYTE, bytes.data, 0);
    }
    timeEndPeriod(1);
    return 0;
}

// A run on the process heap: made with its settings, or null when the heap refuses.
Run* NewRun(const MtcSequencer& sequencer, HWND window) {
    void* memory = HeapAlloc(GetProcessHeap(), 0, sizeof(Run));
    return memory ? new (memory) Run(sequencer, window) : nullptr;
}
void FreeRun(Run* run) {
    run->~Run();
    HeapFree(GetProcessHeap(), 0, run);
}

// Stops the running generator, if any, and returns once its thread has ended.
void StopGenerator(Driver& d) {
    Run* run = d.run;
    if (!run) return;
    d.run = nullptr;
    run->stopRequested.store(true);
    SetEvent(run->stopEvent);
    WaitForSingleObject(run->thread, INFINITE);
    CloseHandle(run->thread);
    CloseHandle(run->stopEvent);
    FreeRun(run);
}

// Replaces the running generator, if any, with a new run; false (generator stopped) when the
// system refuses the event or the thread.
bool StartGenerator(Driver& d, const GeneratorCommand& record, MtcRate rate) {
    StopGenerator(d);
    const MtcTime start = {record.hours, record.minutes, record.seconds, record.frames};
    Run* run = NewRun(MtcSequencer(start, rate), WindowOfRecord(record.window));
    if (!run) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    run->stopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (run->stopEvent) run->thread = CreateThread(nullptr, 0, GeneratorMain, run, 0, nullptr);
    if (!run->thread) {
        const DWORD error = GetLastError();
        if (run->stopEvent) CloseHandle(run->stopEvent);
        FreeRun(run);
        SetLastError(error);
        return false;
    }
    // It sleeps between quarter frames, so a higher priority costs others nothing.
    SetThreadPriority(run->thread, THREAD_PRIORITY_HIGHEST);
    d.run = run;
    return true;
}

// The pseudo handle of a counter value, and back (false for a handle never handed out).
HANDLE HandleOf(std::uint32_t counter) {
    return reinterpret_cast<HANDLE>(kPseudoHandleBase + 4 * static_cast<UINT_PTR>(counter));
}
bool CounterOf(HANDLE device, std::uint32_t* counter) {
    const UINT_PTR offset = reinterpret_cast<UINT_PTR>(device) - kPseudoHandleBase;
    if (reinterpret_cast<UINT_PTR>(device) < kPseudoHandleBase || offset % 4 != 0 || offset / 4 >= kHandleCount)
        return false;
    *counter = static_cast<std::uint32_t>(offset / 4);
    return true;
}

bool IsOpenCounter(const Driver& d, std::uint32_t c) {
    return (d.openHandles[c / 32] >> (c % 32) & 1u) != 0;
}
bool IsOpen(const Driver& d, HANDLE device) {
    std::uint32_t c = 0;
    return CounterOf(device, &c) && IsOpenCounter(d, c);
}

void MarkOpen(Driver& d, std::uint32_t counter, bool open) {
    const std::uint32_t bit = 1u << (counter % 32);
    d.openHandles[counter / 32] = open ? d.openHandles[counter / 32] | bit : d.openHandles[counter / 32] & ~bit;
}

}  // namespace

HANDLE StandinOpen(LPCSTR fileName, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) {
    if (!fileName || lstrcmpiA(fileName, kStandinDeviceName) != 0) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    Driver& d = TheDriver();
    DriverLock lock(d);
    do {
        d.handleCounter = (d.handleCounter + 1) % kHandleCount;
    } while (IsOpenCounter(d, d.handleCounter));
    MarkOpen(d, d.handleCounter, true);
    return HandleOf(d.handleCounter);
}

BOOL StandinControl(HANDLE device, DWORD ioControlCode, LPVOID inBuffer, DWORD inBufferSize,
                    LPVOID outBuffer, DWORD outBufferSize, LPDWORD bytesReturned, LPOVERLAPPED) {
    if (bytesReturned) *bytesReturned = 0;
    Driver& d = TheDriver();
    DriverLock lock(d);
    if (!IsOpen(d, device)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (ioControlCode != IOCTL_GENERATOR_COMMAND) {
        SetLastError(ERROR_INVALID_FUNCTION);
        return FALSE;
    }
    if (!inBuffer || inBufferSize < sizeof(GeneratorCommand)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const GeneratorCommand record = ParseGeneratorCommand(static_cast<const unsigned char*>(inBuffer));
    MtcRate rate = MtcRate::Fps24;
    if (record.command == static_cast<std::int32_t>(kCommandStop)) {
        StopGenerator(d);
    } else if (record.command == static_cast<std::int32_t>(kCommandStart) &&
               MtcRateFromIndex(record.frameRateIndex, rate)) {
        if (!StartGenerator(d, record, rate)) return FALSE;
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (outBuffer && outBufferSize >= sizeof(GeneratorCommand)) {
        unsigned char bytes[sizeof(GeneratorCommand)];
        SerializeGeneratorCommand(record, bytes);
        std::memcpy(outBuffer, bytes, sizeof bytes);
        if (bytesReturned) *bytesReturned = sizeof bytes;
    }
    return TRUE;
}

BOOL StandinClose(HANDLE device) {
    Driver& d = TheDriver();
    DriverLock lock(d);
    std::uint32_t counter = 0;
    if (CounterOf(device, &counter) && IsOpenCounter(d, counter)) {
        MarkOpen(d, counter, false);
        return TRUE;
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}
