// The stand-in driver under Wine: device entry points, and the real-time generator's messages
// to a message-only window of the test thread. The test binary's device seam is a recorder,
// so the records go through the stand-in's own entry points, opened, sent and closed as the
// driver link does. Timing is only ever waited for with generous limits.
#include "standin/standin_driver.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/desk_window.h"
#include "app/mtc_decoder.h"
#include "tests/shown_times.h"
#include "driver/generator_command.h"
#include "standin/mtc_sequencer.h"

namespace {

constexpr DWORD kPatienceMs = 2000;

struct Byte {
    HWND window;
    WPARAM wParam;
    LPARAM lParam;
    std::uint64_t taken;  // the performance counter when the test removed it from the queue
};

std::uint64_t Counter() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<std::uint64_t>(t.QuadPart);
}

LRESULT CALLBACK SinkProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, m, wp, lp);
}

// A message-only window; the generator's messages queue up for this thread.
class Sink {
public:
    Sink() {
        static ATOM atom = 0;
        if (!atom) {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = SinkProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "StandinTestSink";
            atom = RegisterClassA(&wc);
        }
        window_ = CreateWindowExA(0, "StandinTestSink", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~Sink() { DestroyWindow(window_); }
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;
    HWND window() const { return window_; }
    std::uint32_t field() const {
        return static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window_));
    }
private:
    HWND window_;
};

// Removes the queued WM_MTC_BYTE messages for the window (every window when null).
std::vector<Byte> TakeBytes(HWND window = nullptr) {
    std::vector<Byte> out;
    MSG msg;
    while (PeekMessageA(&msg, window, WM_MTC_BYTE, WM_MTC_BYTE, PM_REMOVE)) {
        out.push_back(Byte{msg.hwnd, msg.wParam, msg.lParam, Counter()});
    }
    return out;
}

// Times the desk would show from these bytes.
std::size_t ShownCount(const std::vector<Byte>& bytes) {
    MtcDecoderState state = {};
    ShownTimes desk;
    for (const Byte& b : bytes) DecodeMtcByte(state, static_cast<unsigned>(b.wParam), desk);
    return desk.shown.size();
}

// Gathers messages until `bytes` holds at least `count` and the desk would show at least
// `times` times from them (a run that fell behind may have skipped a set: the time is
// what matters), or the patience runs out.
void Collect(std::vector<Byte>& bytes, std::size_t count, HWND window = nullptr, std::size_t times = 0) {
    const DWORD begin = GetTickCount();
    while ((bytes.size() < count || ShownCount(bytes) < times) && GetTickCount() - begin < kPatienceMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLPOSTMESSAGE);
        for (const Byte& b : TakeBytes(window)) bytes.push_back(b);
    }
}

// Opens the device, sends one record in and out, closes it: the driver link's sequence.
BOOL Send(const GeneratorCommand& record, DWORD* error = nullptr) {
    HANDLE device = StandinOpen(kStandinDeviceName, 0, 0, nullptr, 0, FILE_FLAG_DELETE_ON_CLOSE,
                                nullptr);
    if (device == INVALID_HANDLE_VALUE) return FALSE;
    GeneratorCommand io = record;
    DWORD returned = 0;
    const BOOL ok = StandinControl(device, IOCTL_GENERATOR_COMMAND, &io, sizeof io, &io,
                                   sizeof io, &returned, nullptr);
    if (error) *error = GetLastError();
    StandinClose(device);
    return ok;
}

BOOL Start(const Sink& sink, int rate, unsigned h, unsigned m, unsigned s, unsigned f) {
    return Send(MakeGeneratorCommand(1, sink.field(), rate, h, m, s, f));
}

BOOL Stop() {
    return Send(MakeGeneratorCommand(0, 0, 0, 0, 0, 0, 0));
}

MtcSequencer Model(int rate, unsigned h, unsigned m, unsigned s, unsigned f) {
    MtcRate r = MtcRate::Fps24;
    MtcRateFromIndex(rate, r);
    return MtcSequencer(MtcTime{h, m, s, f}, r);
}

// Every message is WM_MTC_BYTE to `window` with lParam 0, alternating 0xF1 and a data byte,
// starting with 0xF1 and ending on a complete pair.
void ExpectCompletePairs(const std::vector<Byte>& bytes, HWND window) {
    ASSERT_EQ(bytes.size() % 2, 0u);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        ASSERT_EQ(bytes[i].window, window) << i;
        ASSERT_EQ(bytes[i].lParam, 0) << i;
        if (i % 2 == 0) {
            ASSERT_EQ(bytes[i].wParam, 0xF1u) << i;
        } else {
            ASSERT_LT(bytes[i].wParam, 0x80u) << i;
        }
    }
}

// The set of the model carrying `t`, searched after set `after` (-1: from the start); -1 when
// none within a minute of sets. A catch-up after a stall may skip sets, never go back.
long long SetOf(const MtcSequencer& model, const MtcTime& t, long long after) {
    for (long long k = after + 1; k < after + 1 + 1800; ++k) {
        if (model.SetTime(static_cast<std::uint64_t>(k)) == t) return k;
    }
    return -1;
}

// The stream of one run against its model, started by a record sent when the counter read
// `sent`: every time shown is a set of the model, in order, and none was taken from the queue
// before its piece 0 was due. A generator that falls behind skips sets (the catch-up rule),
// its first ones too, so the first set shown is set 0 only when the run kept time from its
// start; a later one never comes before its due time, so a stream that starts anywhere but
// at the record's time still fails. The eight data bytes of the first whole set are the
// model's.
void ExpectSetsOnTime(const std::vector<Byte>& bytes, const MtcSequencer& model, std::uint64_t sent) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    MtcDecoderState state = {};
    ShownTimes desk;
    long long set = -1, first = -1;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::size_t before = desk.shown.size();
        DecodeMtcByte(state, static_cast<unsigned>(bytes[i].wParam), desk);
        if (desk.shown.size() == before) continue;
        const MtcTime& t = desk.shown.back();
        set = SetOf(model, t, set);
        if (set < 0) {
            ADD_FAILURE() << "not the model's next set: " << t.hours << ':' << t.minutes << ':' << t.seconds << ':'
                          << t.frames;
            return;
        }
        const std::uint64_t due = model.DueTime(8 * static_cast<std::uint64_t>(set), frequency.QuadPart);
        EXPECT_GE(bytes[i].taken - sent, due) << "set " << set << " came before its time";
        if (first >= 0) continue;
        first = set;
        for (std::uint64_t n = 0; n < 8 && i >= 14; ++n)
            EXPECT_EQ(bytes[i - 14 + 2 * n].wParam, model.Bytes(8 * first + n).data) << "piece " << n;
        EXPECT_GE(i, 15u) << "a time shown before eight pieces came";
    }
    EXPECT_GE(first, 0) << "no time shown";
}

class Standin : public ::testing::Test {
protected:
    void TearDown() override {
        Stop();
        TakeBytes();
    }
};

TEST_F(Standin, OpensOnlyTheDriversDeviceAndChecksItsCommands) {
    HANDLE device = StandinOpen("\\\\.\\QORINVXD.VXD", 0, 0, nullptr, 0, 0, nullptr);
    ASSERT_NE(device, INVALID_HANDLE_VALUE);
    ASSERT_NE(device, nullptr);
    HANDLE second = StandinOpen(kStandinDeviceName, 0, 0, nullptr, 0, 0, nullptr);
    EXPECT_NE(second, device);
    EXPECT_TRUE(StandinClose(second));
    EXPECT_EQ(StandinOpen("\\\\.\\OtherVxd.Vxd", 0, 0, nullptr, 0, 0, nullptr),
              INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

    GeneratorCommand io = MakeGeneratorCommand(0, 0, 0, 0, 0, 0, 0);
    DWORD returned = 99;
    SetLastError(0);
    EXPECT_FALSE(StandinControl(device, 0x222008, &io, sizeof io, &io, sizeof io, &returned, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_FUNCTION));
    EXPECT_EQ(returned, 0u);
    EXPECT_FALSE(StandinControl(device, IOCTL_GENERATOR_COMMAND, &io, 27, &io, sizeof io, &returned, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(StandinControl(second, IOCTL_GENERATOR_COMMAND, &io, sizeof io, &io, sizeof io, &returned, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    // A well-formed stop is answered with the record and 28 bytes.
    EXPECT_TRUE(StandinControl(device, IOCTL_GENERATOR_COMMAND, &io, sizeof io, &io, sizeof io, &returned, nullptr));
    EXPECT_EQ(returned, 28u);

    EXPECT_TRUE(StandinClose(device));
    EXPECT_FALSE(StandinClose(device));
}

TEST_F(Standin, StartPostsQuarterFramePairsFromTheRecordsTime) {
    Sink sink;
    const std::uint64_t sent = Counter();
    ASSERT_TRUE(Start(sink, 1, 1, 2, 3, 4));  // 01:02:03:04 at 25 fps
    std::vector<Byte> bytes;
    Collect(bytes, 64, nullptr, 1);
    ASSERT_TRUE(Stop());
    for (const Byte& b : TakeBytes()) bytes.push_back(b);
    ASSERT_GE(bytes.size(), 64u);
    ExpectCompletePairs(bytes, sink.window());
    ExpectSetsOnTime(bytes, Model(1, 1, 2, 3, 4), sent);
}

TEST_F(Standin, OddStartTimeRunsFromItsNormalisedLabel) {
    Sink sink;
    const std::uint64_t sent = Counter();
    ASSERT_TRUE(Start(sink, 3, 0, 1, 0, 0));  // 30 drop-frame on a dropped label
    std::vector<Byte> bytes;
    Collect(bytes, 16, nullptr, 1);
    ASSERT_TRUE(Stop());
    ASSERT_GE(bytes.size(), 16u);
    const MtcSequencer model = Model(3, 0, 1, 0, 0);
    ExpectSetsOnTime(bytes, model, sent);
    EXPECT_EQ(model.SetTime(0), (MtcTime{0, 1, 0, 2}));
    for (const Byte& b : bytes) {
        if (b.wParam >> 4 == 7) {
            EXPECT_EQ(b.wParam, 0x74u);  // piece 7: drop-frame code 2, hours bit 4 clear
        }
    }
}

TEST_F(Standin, StopEndsTheMessagesBeforeItReturns) {
    Sink sink;
    ASSERT_TRUE(Start(sink, 4, 0, 0, 0, 0));
    std::vector<Byte> bytes;
    Collect(bytes, 20);
    ASSERT_GE(bytes.size(), 20u);
    ASSERT_TRUE(Stop());
    for (const Byte& b : TakeBytes()) bytes.push_back(b);
    ExpectCompletePairs(bytes, sink.window());
    // At 30 fps a running generator would post about 24 messages in 100 ms.
    Sleep(100);
    EXPECT_TRUE(TakeBytes().empty());
    // A stop without a run is accepted and changes nothing.
    EXPECT_TRUE(Stop());
}

TEST_F(Standin, RestartReplacesTimeAndRate) {
    Sink sink;
    const std::uint64_t sent = Counter();
    ASSERT_TRUE(Start(sink, 1, 1, 2, 3, 4));
    std::vector<Byte> bytes;
    Collect(bytes, 24, nullptr, 1);
    const std::uint64_t resent = Counter();
    ASSERT_TRUE(Start(sink, 3, 10, 20, 30, 0));  // no stop in between, as the desk does
    // Everything of the old run was posted before the restart returned; anything after is new.
    for (const Byte& b : TakeBytes()) bytes.push_back(b);
    Collect(bytes, bytes.size() + 48, nullptr, ShownCount(bytes) + 2);  // the old run may end one set
    ASSERT_TRUE(Stop());
    for (const Byte& b : TakeBytes()) bytes.push_back(b);
    ExpectCompletePairs(bytes, sink.window());

    const MtcSequencer before = Model(1, 1, 2, 3, 4);
    const MtcSequencer after = Model(3, 10, 20, 30, 0);
    // The new run begins at the first whole set of its own (one of its first hundred: it may
    // have fallen behind at once); the old stream, before it, shows only old times.
    std::size_t first = bytes.size();
    for (std::size_t i = 1; i + 15 < bytes.size() && first == bytes.size(); i += 2) {
        for (std::uint64_t k = 0; k < 100 && first == bytes.size(); ++k) {
            bool match = true;
            for (std::uint64_t n = 0; n < 8 && match; ++n)
                match = bytes[i + 2 * n].wParam == after.Bytes(8 * k + n).data;
            if (match) first = i;
        }
    }
    ASSERT_LT(first, bytes.size());
    ExpectSetsOnTime(std::vector<Byte>(bytes.begin(), bytes.begin() + (first - 1)), before, sent);
    ExpectSetsOnTime(std::vector<Byte>(bytes.begin() + (first - 1), bytes.end()), after, resent);
    for (std::size_t i = 1; i < bytes.size(); i += 2) {
        const unsigned code = (i < first ? 1u : 2u) << 1;  // 25 fps before, drop-frame after
        if ((bytes[i].wParam >> 4) == 7) {
            ASSERT_EQ(bytes[i].wParam & 0x06, code) << i;
        }
    }
}

TEST_F(Standin, RestartToAnotherWindowEndsTheFirstWindowsMessages) {
    Sink first, second;
    ASSERT_TRUE(Start(first, 0, 5, 0, 0, 0));
    std::vector<Byte> bytes;
    Collect(bytes, 8, first.window());
    const std::uint64_t sent = Counter();
    ASSERT_TRUE(Start(second, 4, 6, 0, 0, 0));
    for (const Byte& b : TakeBytes(first.window())) bytes.push_back(b);
    ExpectCompletePairs(bytes, first.window());
    std::vector<Byte> moved;
    Collect(moved, 16, second.window(), 1);
    EXPECT_TRUE(TakeBytes(first.window()).empty());
    ASSERT_TRUE(Stop());
    for (const Byte& b : TakeBytes(second.window())) moved.push_back(b);
    ExpectCompletePairs(moved, second.window());
    ExpectSetsOnTime(moved, Model(4, 6, 0, 0, 0), sent);
}

TEST_F(Standin, RefusedStartLeavesTheRunningGeneratorAlone) {
    Sink sink;
    const std::uint64_t sent = Counter();
    ASSERT_TRUE(Start(sink, 2, 7, 0, 0, 0));
    std::vector<Byte> bytes;
    Collect(bytes, 8);
    DWORD error = 0;
    EXPECT_FALSE(Send(MakeGeneratorCommand(1, sink.field(), 5, 8, 0, 0, 0), &error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(Send(MakeGeneratorCommand(2, 0, 0, 0, 0, 0, 0), &error));
    Collect(bytes, bytes.size() + 32, nullptr, 1);
    ASSERT_TRUE(Stop());
    for (const Byte& b : TakeBytes()) bytes.push_back(b);
    ExpectCompletePairs(bytes, sink.window());
    ExpectSetsOnTime(bytes, Model(2, 7, 0, 0, 0), sent);
}

}  // namespace
