// Drift, jitter and CPU use of the stand-in's real-time generator, end to end: a start record
// through the device seam, the messages received by a window on a thread of its own, each
// arrival timed with QueryPerformanceCounter against its quarter frame's ideal due time.
//
//   standin_timing.exe [seconds (default 60)] [rate index 0..4 (default 4: 30 fps)]
//
// Lateness is arrival minus (start call + n x period) for quarter frame n; it includes the
// generator thread's start-up, the wait's granularity and the receiving thread's wake-up.
// Exit code 0 when the stream was complete, in order and without catch-up skips; 1 otherwise.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/desk_window.h"
#include "bench/process_cpu.h"
#include "driver/device.h"
#include "driver/generator_command.h"
#include "standin/mtc_sequencer.h"

namespace {

struct Arrival {
    std::int64_t ticks;
    unsigned byte;
};

struct Receiver {
    HANDLE ready = nullptr;
    HWND window = nullptr;
    std::vector<Arrival> arrivals;
};

LRESULT CALLBACK ReceiverProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, m, wp, lp);
}

DWORD WINAPI ReceiverMain(LPVOID param) {
    Receiver& r = *static_cast<Receiver*>(param);
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "StandinTimingReceiver";
    RegisterClassA(&wc);
    r.window = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               wc.hInstance, nullptr);
    SetEvent(r.ready);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_MTC_BYTE) {
            LARGE_INTEGER now;
            QueryPerformanceCounter(&now);
            r.arrivals.push_back(Arrival{now.QuadPart, static_cast<unsigned>(msg.wParam & 0xFF)});
            continue;
        }
        DispatchMessageA(&msg);
    }
    DestroyWindow(r.window);
    return 0;
}

bool SendRecord(const GeneratorCommand& record) {
    HANDLE device = DeviceOpen("\\\\.\\QorinVxd.Vxd", 0, 0, nullptr, 0,
                               FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (device == INVALID_HANDLE_VALUE) return false;
    GeneratorCommand io = record;
    DWORD returned = 0;
    const BOOL ok = DeviceControl(device, IOCTL_GENERATOR_COMMAND, &io, sizeof io, &io,
                                  sizeof io, &returned, nullptr);
    DeviceClose(device);
    return ok != FALSE;
}

void PrintStats(const char* what, std::vector<double> ms) {
    double mean = 0;
    for (double v : ms) mean += v;
    mean /= static_cast<double>(ms.size());
    std::sort(ms.begin(), ms.end());
    auto at = [&ms](double p) { return ms[static_cast<std::size_t>(p * static_cast<double>(ms.size() - 1))]; };
    std::printf("%s, ms: mean %.3f  p50 %.3f  p99 %.3f  max %.3f  min %.3f\n", what, mean,
                at(0.50), at(0.99), ms.back(), ms.front());
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int rateIndex = argc > 2 ? std::atoi(argv[2]) : 4;
    MtcRate rate = MtcRate::Fps30;
    if (seconds < 1 || !MtcRateFromIndex(rateIndex, rate)) {
        std::fprintf(stderr, "usage: standin_timing [seconds >= 1] [rate index 0..4]\n");
        return 2;
    }
    const MtcTime start = {23, 59, 30, 0};
    const MtcSequencer model(start, rate);

    Receiver receiver;
    receiver.arrivals.reserve(static_cast<std::size_t>(seconds) * 260 + 1024);
    receiver.ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    DWORD receiverId = 0;
    HANDLE receiverThread = CreateThread(nullptr, 0, ReceiverMain, &receiver, 0, &receiverId);
    WaitForSingleObject(receiver.ready, INFINITE);

    LARGE_INTEGER frequency, origin, stopAt;
    QueryPerformanceFrequency(&frequency);
    const double cpuBefore = ProcessCpuSeconds();
    QueryPerformanceCounter(&origin);
    const std::uint32_t window =
        static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(receiver.window));
    if (!SendRecord(MakeGeneratorCommand(1, window, rateIndex, start.hours, start.minutes,
                                         start.seconds, start.frames))) {
        std::fprintf(stderr, "start refused\n");
        return 1;
    }
    Sleep(static_cast<DWORD>(seconds) * 1000);
    QueryPerformanceCounter(&stopAt);
    SendRecord(MakeGeneratorCommand(0, 0, 0, 0, 0, 0, 0));
    const double cpuUsed = ProcessCpuSeconds() - cpuBefore;
    PostThreadMessageA(receiverId, WM_QUIT, 0, 0);
    WaitForSingleObject(receiverThread, INFINITE);

    const std::uint64_t f = static_cast<std::uint64_t>(frequency.QuadPart);
    const std::uint64_t ran = static_cast<std::uint64_t>(stopAt.QuadPart - origin.QuadPart);
    const std::vector<Arrival>& a = receiver.arrivals;
    // Quarter frames due between the stream's first message (the generator's own origin, give
    // or take a message's latency) and the stop call.
    const std::uint64_t streamRan =
        a.empty() ? 0 : static_cast<std::uint64_t>(stopAt.QuadPart - a.front().ticks);
    std::uint64_t expectedPieces = 0;
    while (model.DueTime(expectedPieces, f) <= streamRan) ++expectedPieces;

    // Each pair's quarter frame: the next one, or after a catch-up skip the set start whose
    // following pieces match. Pairs that fit nowhere count as wrong.
    std::vector<std::uint64_t> index(a.size() / 2);
    std::size_t wrong = a.size() % 2, skips = 0;
    std::uint64_t skipped = 0, n = 0;
    auto fits = [&](std::size_t pair, std::uint64_t q) {
        for (std::size_t k = 0; k < 8 && pair + k < index.size(); ++k) {
            const QuarterFrameBytes b = model.Bytes(q + k);
            if (a[2 * (pair + k)].byte != b.status || a[2 * (pair + k) + 1].byte != b.data) {
                return false;
            }
        }
        return true;
    };
    for (std::size_t pair = 0; pair < index.size(); ++pair) {
        const QuarterFrameBytes b = model.Bytes(n);
        if (a[2 * pair].byte != b.status || a[2 * pair + 1].byte != b.data) {
            std::uint64_t m = (n / 8 + 1) * 8;
            while (m < n + 8 * 1000 && !fits(pair, m)) m += 8;
            if (m < n + 8 * 1000) {
                ++skips;
                skipped += m - n;
                n = m;
            } else {
                ++wrong;
            }
        }
        index[pair] = n++;
    }

    // Lateness of every message against its quarter frame's due time, from the start call
    // and from the stream's own origin (its first message).
    std::vector<double> late;
    late.reserve(a.size());
    for (std::size_t i = 0; i < 2 * index.size(); ++i) {
        const double due = static_cast<double>(model.DueTime(index[i / 2], f));
        late.push_back((static_cast<double>(a[i].ticks - origin.QuadPart) - due) * 1000.0 /
                       static_cast<double>(f));
    }
    const double wall = static_cast<double>(ran) / static_cast<double>(f);
    std::printf("rate index %d, %.3f s run, counter %llu Hz\n", rateIndex, wall,
                static_cast<unsigned long long>(f));
    std::printf("messages: %zu received, %llu expected (%llu quarter frames); "
                "%zu catch-up skips (%llu quarter frames), %zu wrong\n",
                a.size(), static_cast<unsigned long long>(2 * expectedPieces),
                static_cast<unsigned long long>(expectedPieces), skips,
                static_cast<unsigned long long>(skipped), wrong);
    if (!late.empty()) {
        std::printf("first message late by %.3f ms, last by %.3f ms: drift %+.3f ms over the run\n",
                    late.front(), late.back(), late.back() - late.front());
        PrintStats("lateness from the start call", late);
        std::vector<double> own;
        own.reserve(late.size());
        for (double v : late) own.push_back(v - late.front());
        PrintStats("lateness after the first message", own);
    }
    std::printf("process CPU: %.3f s over %.3f s = %.2f %% of one core\n", cpuUsed, wall,
                100.0 * cpuUsed / wall);
    const bool complete = wrong == 0 && skips == 0 && a.size() + 2 >= 2 * expectedPieces &&
                          a.size() <= 2 * expectedPieces + 2;
    return complete ? 0 : 1;
}
