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
};

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
        out.push_back(Byte{msg.hwnd, msg.wParam, msg.lParam});
    }
    return out;
}

// Gathers messages until `bytes` holds at least `count`, or the patience runs out.
void Collect(std::vector<Byte>& bytes, std::size_t count, HWND window = nullptr) {
    const DWORD begin = GetTickCount();
    while (bytes.size() < count && GetTickCount() - begin < kPatienceMs) {
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


std::vector<MtcTime> Decode(const std::vector<Byte>& bytes) {
    MtcDecoderState state = {};
    ShownTimes desk;
    for (const Byte& b : bytes) DecodeMtcByte(state, static_cast<unsigned>(b.wParam), desk);
    return desk.shown;
}

// The set of the model carrying `t`, searched after set `after` (-1: from the start); -1 when
// none within a minute of sets. A catch-up after a stall may skip sets, never go back.
long long SetOf(const MtcSequencer& model, const MtcTime& t, long long after) {
    for (long long k = after + 1; k < after + 1 + 1800; ++k) {
        if (model.SetTime(static_cast<std::uint64_t>(k)) == t) return k;
    }
    return -1;
}

// The shown times follow the model's sets in order, from its first.
void ExpectShownInOrder(const std::vector<MtcTime>& shown, const MtcSequencer& model) {
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), model.start());
    long long set = -1;
    for (const MtcTime& t : shown) {
        set = SetOf(model, t, set);
        ASSERT_GE(set, 0) << t.hours << ':' << t.minutes << ':' << t.seconds << ':' << t.frames;
    }
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
    ASSERT_TRUE(Start(sink, 1, 1, 2, 3, 4));  // 01:02:03:04 at 25 fps
    std::vector<Byte> bytes;
    Collect(bytes, 64);
    ASSERT_TRUE(Stop());
    for (const Byte& b : TakeBytes()) bytes.push_back(b);
    ASSERT_GE(bytes.size(), 64u);
    ExpectCompletePairs(bytes, sink.window());
    const MtcSequencer model = Model(1, 1, 2, 3, 4);
    for (std::uint64_t n = 0; n < 8; ++n) {
        EXPECT_EQ(bytes[2 * n + 1].wParam, model.Bytes(n).data) << "piece " << n;
    }
    ExpectShownInOrder(Decode(bytes), model);
}

TEST_F(Standin, OddStartTimeRunsFromItsNormalisedLabel) {
    Sink sink;
    ASSERT_TRUE(Start(sink, 3, 0, 1, 0, 0));  // 30 drop-frame on a dropped label
    std::vector<Byte> bytes;
    Collect(bytes, 16);
    ASSERT_TRUE(Stop());
    ASSERT_GE(bytes.size(), 16u);
    const std::vector<MtcTime> shown = Decode(bytes);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), (MtcTime{0, 1, 0, 2}));
    EXPECT_EQ(bytes[15].wParam, 0x74u);  // piece 7: drop-frame code 2, hours bit 4 clear
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
    ASSERT_TRUE(Start(sink, 1, 1, 2, 3, 4));
    std::vector<Byte> bytes;
    Collect(bytes, 24);
    ASSERT_TRUE(Start(sink, 3, 10, 20, 30, 0));  // no stop in between, as the desk does
    // Everything of the old run was posted before the restart returned; anything after is new.
    for (const Byte& b : TakeBytes()) bytes.push_back(b);
    Collect(bytes, bytes.size() + 48);
    ASSERT_TRUE(Stop());
    for (const Byte& b : TakeBytes()) bytes.push_back(b);
    ExpectCompletePairs(bytes, sink.window());

    const MtcSequencer before = Model(1, 1, 2, 3, 4);
    const MtcSequencer after = Model(3, 10, 20, 30, 0);
    std::vector<MtcTime> oldTimes, newTimes;
    for (const MtcTime& t : Decode(bytes)) {
        if (t.hours == 1) {
            ASSERT_TRUE(newTimes.empty()) << "an old time after the new run began";
            oldTimes.push_back(t);
        } else {
            newTimes.push_back(t);
        }
    }
    ASSERT_FALSE(oldTimes.empty());
    ExpectShownInOrder(oldTimes, before);
    ExpectShownInOrder(newTimes, after);
    // The new run's first set follows the old stream directly, with its own rate code.
    std::size_t first = bytes.size();
    for (std::size_t i = 1; i + 15 < bytes.size(); i += 2) {
        bool match = true;
        for (std::uint64_t n = 0; n < 8 && match; ++n) match = bytes[i + 2 * n].wParam == after.Bytes(n).data;
        if (match) {
            first = i;
            break;
        }
    }
    ASSERT_LT(first, bytes.size());
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
    ASSERT_TRUE(Start(second, 4, 6, 0, 0, 0));
    for (const Byte& b : TakeBytes(first.window())) bytes.push_back(b);
    ExpectCompletePairs(bytes, first.window());
    std::vector<Byte> moved;
    Collect(moved, 16, second.window());
    EXPECT_TRUE(TakeBytes(first.window()).empty());
    ASSERT_TRUE(Stop());
    for (const Byte& b : TakeBytes(second.window())) moved.push_back(b);
    ExpectCompletePairs(moved, second.window());
    ExpectShownInOrder(Decode(moved), Model(4, 6, 0, 0, 0));
}

TEST_F(Standin, RefusedStartLeavesTheRunningGeneratorAlone) {
    Sink sink;
    ASSERT_TRUE(Start(sink, 2, 7, 0, 0, 0));
    std::vector<Byte> bytes;
    Collect(bytes, 8);
    DWORD error = 0;
    EXPECT_FALSE(Send(MakeGeneratorCommand(1, sink.field(), 5, 8, 0, 0, 0), &error));
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(Send(MakeGeneratorCommand(2, 0, 0, 0, 0, 0, 0), &error));
    Collect(bytes, bytes.size() + 32);
    ASSERT_TRUE(Stop());
    for (const Byte& b : TakeBytes()) bytes.push_back(b);
    ExpectCompletePairs(bytes, sink.window());
    ExpectShownInOrder(Decode(bytes), Model(2, 7, 0, 0, 0));
}

}  // namespace
