// Cost of the time code decoder per WM_MTC_BYTE, on the stand-in's own stream (30 fps, a
// minute of quarter frames), with the start toggle checked (a running generator) and
// unchecked (every byte also goes through the toggle follow-up).
#include "app/mtc_decoder.h"
#include "standin/mtc_sequencer.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

class NullDesk final : public MtcDisplayPort {
public:
    explicit NullDesk(int toggle) : toggle_(toggle) {}
    int StartToggleState() override { return toggle_; }
    void SetStartToggle(int check) override { benchmark::DoNotOptimize(check); }
    void ShowField(TimeField field, unsigned value) override {
        benchmark::DoNotOptimize(field);
        benchmark::DoNotOptimize(value);
    }
private:
    int toggle_;
};

std::vector<unsigned> MinuteOfTimeCode() {
    const MtcSequencer seq(MtcTime{10, 59, 30, 0}, MtcRate::Fps30);
    std::vector<unsigned> bytes;
    for (std::uint64_t n = 0; n < 120 * 60; ++n) {
        const QuarterFrameBytes b = seq.Bytes(n);
        bytes.push_back(b.status);
        bytes.push_back(b.data);
    }
    return bytes;
}

void DecodeStream(benchmark::State& st, int toggle) {
    const std::vector<unsigned> bytes = MinuteOfTimeCode();
    NullDesk desk(toggle);
    MtcDecoderState state = {};
    for (auto _ : st) {
        for (unsigned b : bytes) DecodeMtcByte(state, b, desk);
        benchmark::ClobberMemory();
    }
    const double total = static_cast<double>(st.iterations()) * static_cast<double>(bytes.size());
    st.counters["per_byte"] =
        benchmark::Counter(total, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    st.SetItemsProcessed(static_cast<std::int64_t>(total));
}

void BM_DecodeRunning(benchmark::State& st) { DecodeStream(st, 1); }
void BM_DecodeToggleUnchecked(benchmark::State& st) { DecodeStream(st, 0); }

}  // namespace

BENCHMARK(BM_DecodeRunning);
BENCHMARK(BM_DecodeToggleUnchecked);
