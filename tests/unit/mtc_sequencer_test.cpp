#include "standin/mtc_sequencer.h"

#include "app/mtc_decoder.h"
#include "tests/shown_times.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

void PrintTo(const MtcTime& t, std::ostream* os) {
    *os << t.hours << ':' << t.minutes << ':' << t.seconds << ':' << t.frames;
}

namespace {

constexpr MtcRate kAllRates[] = {MtcRate::Fps24, MtcRate::Fps25, MtcRate::Fps2997,
                                 MtcRate::Fps2997Drop, MtcRate::Fps30};
constexpr std::uint64_t kNs = 1000000000;

MtcTime T(std::uint32_t h, std::uint32_t m, std::uint32_t s, std::uint32_t f) {
    return MtcTime{h, m, s, f};
}

std::vector<std::uint8_t> DataBytes(const MtcSequencer& seq, std::uint64_t first,
                                    std::uint64_t count) {
    std::vector<std::uint8_t> out;
    for (std::uint64_t n = first; n < first + count; ++n) out.push_back(seq.Bytes(n).data);
    return out;
}

// The next label after t, by counting: one frame on, carrying, skipping dropped labels.
MtcTime NextLabel(MtcTime t, MtcRate rate) {
    const MtcRateInfo& info = RateInfo(rate);
    if (++t.frames == info.framesPerSecond) { t.frames = 0; ++t.seconds; }
    if (t.seconds == 60) { t.seconds = 0; ++t.minutes; }
    if (t.minutes == 60) { t.minutes = 0; ++t.hours; }
    if (t.hours == 24) t.hours = 0;
    if (info.dropFrame && t.minutes % 10 != 0 && t.seconds == 0 && t.frames < 2) t.frames = 2;
    return t;
}

TEST(MtcRates, DeskIndexSelectsFrameRateCodeAndPeriod) {
    struct Case { int index; std::uint32_t fps; bool drop; int code; std::uint32_t num, den; };
    const Case cases[] = {
        {0, 24, false, 0, 1, 96},
        {1, 25, false, 1, 1, 100},
        {2, 30, false, 3, 1001, 120000},
        {3, 30, true, 2, 1001, 120000},
        {4, 30, false, 3, 1, 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        MtcRate rate = MtcRate::Fps24;
        ASSERT_TRUE(MtcRateFromIndex(c.index, rate));
        const MtcRateInfo& info = RateInfo(rate);
        EXPECT_EQ(info.framesPerSecond, c.fps);
        EXPECT_EQ(info.dropFrame, c.drop);
        EXPECT_EQ(info.code, c.code);
        EXPECT_EQ(info.periodNumerator, c.num);
        EXPECT_EQ(info.periodDenominator, c.den);
        // The code reaches piece 7: 0rrh with hours bit 4 clear for 00:00:00:00.
        EXPECT_EQ(MtcSequencer(T(0, 0, 0, 0), rate).Bytes(7).data, 0x70 | c.code << 1);
    }
    MtcRate rate = MtcRate::Fps30;
    EXPECT_FALSE(MtcRateFromIndex(-1, rate));
    EXPECT_FALSE(MtcRateFromIndex(5, rate));
    EXPECT_EQ(rate, MtcRate::Fps30);  // untouched on refusal
}

TEST(MtcSequencer, FirstSetCarriesTheStartTimeInPieceOrder) {
    struct Case { MtcTime start; MtcRate rate; std::vector<std::uint8_t> data; };
    const Case cases[] = {
        {T(1, 2, 3, 4), MtcRate::Fps30, {0x04, 0x10, 0x23, 0x30, 0x42, 0x50, 0x61, 0x76}},
        {T(23, 59, 59, 29), MtcRate::Fps30, {0x0D, 0x11, 0x2B, 0x33, 0x4B, 0x53, 0x67, 0x77}},
        {T(23, 59, 59, 29), MtcRate::Fps2997, {0x0D, 0x11, 0x2B, 0x33, 0x4B, 0x53, 0x67, 0x77}},
        {T(23, 59, 59, 29), MtcRate::Fps2997Drop, {0x0D, 0x11, 0x2B, 0x33, 0x4B, 0x53, 0x67, 0x75}},
        {T(10, 20, 30, 24), MtcRate::Fps25, {0x08, 0x11, 0x2E, 0x31, 0x44, 0x51, 0x6A, 0x72}},
        {T(16, 0, 0, 23), MtcRate::Fps24, {0x07, 0x11, 0x20, 0x30, 0x40, 0x50, 0x60, 0x71}},
    };
    for (const Case& c : cases) {
        const MtcSequencer seq(c.start, c.rate);
        EXPECT_EQ(seq.start(), c.start);
        EXPECT_EQ(DataBytes(seq, 0, 8), c.data);
        for (std::uint64_t n = 0; n < 64; ++n) EXPECT_EQ(seq.Bytes(n).status, 0xF1);
    }
}

TEST(MtcSequencer, EachSetLatchesOneTimeAndTheNextSetIsTwoFramesLater) {
    // 00:00:59:28 at 30 fps: sets carry :28, then 01:00:00, 01:00:02 ...; a set never mixes the
    // seconds of one time with the frames of the next.
    const MtcSequencer seq(T(0, 0, 59, 28), MtcRate::Fps30);
    EXPECT_EQ(DataBytes(seq, 0, 16),
              (std::vector<std::uint8_t>{0x0C, 0x11, 0x2B, 0x33, 0x40, 0x50, 0x60, 0x76,
                                         0x00, 0x10, 0x20, 0x30, 0x41, 0x50, 0x60, 0x76}));
    for (MtcRate rate : kAllRates) {
        const MtcSequencer s(T(12, 34, 56, 7), rate);
        MtcTime expected = s.start();
        for (std::uint64_t set = 0; set < 2000; ++set) {
            ASSERT_EQ(s.SetTime(set), expected) << "set " << set;
            expected = NextLabel(NextLabel(expected, rate), rate);
        }
    }
}

TEST(MtcSequencer, DueTimesAreExactMultiplesOfThePeriod) {
    const MtcSequencer fps24(T(0, 0, 0, 0), MtcRate::Fps24);
    const MtcSequencer fps25(T(0, 0, 0, 0), MtcRate::Fps25);
    const MtcSequencer fps30(T(0, 0, 0, 0), MtcRate::Fps30);
    const MtcSequencer ntsc(T(0, 0, 0, 0), MtcRate::Fps2997);
    const MtcSequencer drop(T(0, 0, 0, 0), MtcRate::Fps2997Drop);
    EXPECT_EQ(fps24.DueTime(0, kNs), 0u);
    EXPECT_EQ(fps24.DueTime(1, kNs), 10416666u);  // 1/96 s, rounded down
    EXPECT_EQ(fps24.DueTime(96, kNs), kNs);
    EXPECT_EQ(fps25.DueTime(1, kNs), 10000000u);
    EXPECT_EQ(fps30.DueTime(1, kNs), 8333333u);
    EXPECT_EQ(fps30.DueTime(120, kNs), kNs);
    EXPECT_EQ(ntsc.DueTime(1, kNs), 8341666u);        // 1001/120000 s
    EXPECT_EQ(ntsc.DueTime(3, kNs), 25025000u);
    EXPECT_EQ(ntsc.DueTime(120000, kNs), 1001 * kNs);  // 30000/1001 fps: 1001 s
    // No accumulated rounding: a day of quarter frames lands exactly.
    EXPECT_EQ(fps24.DueTime(96ull * 86400, kNs), 86400 * kNs);
    EXPECT_EQ(fps25.DueTime(100ull * 86400, kNs), 86400 * kNs);
    EXPECT_EQ(fps30.DueTime(120ull * 86400, kNs), 86400 * kNs);
    EXPECT_EQ(drop.DueTime(120000ull * 864, kNs), 864 * 1001 * kNs);
    // In units of the period's own denominator every due time is an integer multiple.
    for (std::uint64_t n : {1ull, 7ull, 1000003ull, 1ull << 40}) {
        EXPECT_EQ(ntsc.DueTime(n, 120000), 1001 * n);
        EXPECT_EQ(fps24.DueTime(n, 96), n);
    }
    // A performance counter at 10 MHz over ten hours: q * 1001 s plus a rounded-down rest.
    EXPECT_EQ(ntsc.DueTime(120000ull * 36 + 1, 10000000), 36 * 1001 * 10000000ull + 83416);
    // A 3 GHz counter does not overflow for a day's run.
    EXPECT_EQ(ntsc.DueTime(120000ull * 86, 3000000000ull), 86 * 1001 * 3000000000ull);
    for (MtcRate rate : kAllRates) {
        const MtcSequencer s(T(0, 0, 0, 0), rate);
        for (std::uint64_t n = 0; n < 500; ++n) ASSERT_LT(s.DueTime(n, kNs), s.DueTime(n + 1, kNs));
    }
}

TEST(MtcSequencer, DropFrameSkipsFramesZeroAndOneExceptEveryTenthMinute) {
    const MtcRate drop = MtcRate::Fps2997Drop;
    EXPECT_EQ(TimeOfFrame(FrameOfTime(T(0, 0, 59, 29), drop) + 1, drop), T(0, 1, 0, 2));
    EXPECT_EQ(TimeOfFrame(FrameOfTime(T(0, 9, 59, 29), drop) + 1, drop), T(0, 10, 0, 0));
    EXPECT_EQ(TimeOfFrame(FrameOfTime(T(0, 10, 59, 29), drop) + 1, drop), T(0, 11, 0, 2));
    EXPECT_EQ(FrameOfTime(T(0, 10, 0, 0), drop), 17982u);
    EXPECT_EQ(FramesPerDay(drop), 17982u * 144);
    // Through the sets: :28 + 2 frames crosses into the minute.
    EXPECT_EQ(MtcSequencer(T(0, 0, 59, 28), drop).SetTime(1), T(0, 1, 0, 2));
    EXPECT_EQ(MtcSequencer(T(0, 0, 59, 29), drop).SetTime(1), T(0, 1, 0, 3));
    EXPECT_EQ(MtcSequencer(T(0, 9, 59, 28), drop).SetTime(1), T(0, 10, 0, 0));
    // The non-drop 29.97 rate keeps every label.
    EXPECT_EQ(MtcSequencer(T(0, 0, 59, 28), MtcRate::Fps2997).SetTime(1), T(0, 1, 0, 0));
}

TEST(MtcSequencer, EveryFrameOfTheDayHasTheNextLabelAndWrapsAtMidnight) {
    for (MtcRate rate : kAllRates) {
        SCOPED_TRACE(static_cast<int>(rate));
        const std::uint32_t perDay = FramesPerDay(rate);
        MtcTime label = T(0, 0, 0, 0);
        for (std::uint32_t f = 0; f < perDay; ++f) {
            ASSERT_EQ(TimeOfFrame(f, rate), label) << "frame " << f;
            ASSERT_EQ(FrameOfTime(label, rate), f);
            label = NextLabel(label, rate);
        }
        EXPECT_EQ(label, T(0, 0, 0, 0));  // a day of labels, and no more
    }
}

TEST(MtcSequencer, DayWrapsFromTheLastFrameOfEachRate) {
    struct Case { MtcRate rate; std::uint32_t last; };
    const Case cases[] = {{MtcRate::Fps24, 23}, {MtcRate::Fps25, 24}, {MtcRate::Fps2997, 29},
                          {MtcRate::Fps2997Drop, 29}, {MtcRate::Fps30, 29}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.rate));
        const MtcSequencer fromLast(T(23, 59, 59, c.last), c.rate);
        EXPECT_EQ(fromLast.SetTime(0), T(23, 59, 59, c.last));
        EXPECT_EQ(fromLast.SetTime(1), T(0, 0, 0, 1));
        const MtcSequencer beforeLast(T(23, 59, 59, c.last - 1), c.rate);
        EXPECT_EQ(beforeLast.SetTime(1), T(0, 0, 0, 0));
        // Hours bit 4 and the low nibble both clear after the wrap.
        EXPECT_EQ(beforeLast.Bytes(8 + 6).data, 0x60);
        EXPECT_EQ(beforeLast.Bytes(8 + 7).data, 0x70 | RateInfo(c.rate).code << 1);
        // Far into a long run the time stays a valid label: one day is FramesPerDay / 2 sets.
        const std::uint64_t day = FramesPerDay(c.rate) / 2;
        EXPECT_EQ(beforeLast.SetTime(1 + day * 1000), T(0, 0, 0, 0));
        EXPECT_EQ(beforeLast.SetTime((1ull << 40) * day + 1), T(0, 0, 0, 0));
    }
}

TEST(MtcSequencer, OddStartTimesAreNormalisedToAValidLabel) {
    struct Case { MtcTime given; MtcRate rate; MtcTime expected; };
    const Case cases[] = {
        {T(0, 0, 10, 30), MtcRate::Fps24, T(0, 0, 11, 6)},       // excess frames carry
        {T(0, 0, 59, 24), MtcRate::Fps24, T(0, 1, 0, 0)},
        {T(0, 0, 0, 25), MtcRate::Fps25, T(0, 0, 1, 0)},
        {T(0, 0, 0, 29), MtcRate::Fps30, T(0, 0, 0, 29)},        // valid: unchanged
        {T(0, 0, 0, 30), MtcRate::Fps30, T(0, 0, 1, 0)},
        {T(0, 0, 0, 30), MtcRate::Fps2997, T(0, 0, 1, 0)},
        {T(23, 59, 59, 30), MtcRate::Fps30, T(0, 0, 0, 0)},      // carries through midnight
        {T(24, 0, 0, 0), MtcRate::Fps25, T(0, 0, 0, 0)},         // hours modulo 24
        {T(99, 59, 59, 23), MtcRate::Fps24, T(3, 59, 59, 23)},
        {T(0, 0, 75, 0), MtcRate::Fps30, T(0, 1, 15, 0)},
        {T(0, 1, 0, 0), MtcRate::Fps2997Drop, T(0, 1, 0, 2)},    // dropped label: frame 02
        {T(0, 1, 0, 1), MtcRate::Fps2997Drop, T(0, 1, 0, 2)},
        {T(0, 10, 0, 0), MtcRate::Fps2997Drop, T(0, 10, 0, 0)},  // tenth minute keeps 00
        {T(0, 0, 59, 30), MtcRate::Fps2997Drop, T(0, 1, 0, 2)},  // carry lands on a drop
        {T(0, 1, 0, 0), MtcRate::Fps2997, T(0, 1, 0, 0)},        // non-drop keeps it
        {T(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF), MtcRate::Fps30, T(1, 56, 11, 15)},
        {T(0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF), MtcRate::Fps24, T(7, 59, 25, 15)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.rate));
        EXPECT_EQ(NormaliseStartTime(c.given, c.rate), c.expected);
        const MtcSequencer seq(c.given, c.rate);
        EXPECT_EQ(seq.start(), c.expected);
        EXPECT_EQ(seq.SetTime(0), c.expected);
    }
}

TEST(MtcSequencer, CatchUpSendsAFewLatePiecesThenSkipsToASetStart) {
    // 30 fps counted in quarter-frame units: quarter frame n is due at n.
    const MtcSequencer seq(T(0, 0, 0, 0), MtcRate::Fps30);
    EXPECT_EQ(seq.NextToSend(5, 0, 120), 5u);  // early
    EXPECT_EQ(seq.NextToSend(5, 5, 120), 5u);  // due
    EXPECT_EQ(seq.NextToSend(5, 8, 120), 5u);  // 5..8 overdue: four, still sent
    EXPECT_EQ(seq.NextToSend(5, 9, 120), 16u);  // five overdue: on to the next set
    EXPECT_EQ(seq.NextToSend(5, 16, 120), 16u);  // a set start exactly due is kept
    EXPECT_EQ(seq.NextToSend(5, 17, 120), 24u);
    EXPECT_EQ(seq.NextToSend(0, 1000001, 120), 1000008u);

    // For every rate and many stalls: never more than kMaxLateQuarterFrames overdue at once,
    // and a skip lands on the first set start not yet due.
    for (MtcRate rate : kAllRates) {
        const MtcSequencer s(T(1, 0, 0, 0), rate);
        std::uint64_t x = 12345;
        for (int i = 0; i < 20000; ++i) {
            x = x * 6364136223846793005ull + 1442695040888963407ull;
            const std::uint64_t next = (x >> 20) % 100000;
            const std::uint64_t elapsed = s.DueTime(next, kNs) + (x >> 40) % (kNs / 5);
            const std::uint64_t chosen = s.NextToSend(next, elapsed, kNs);
            if (chosen == next) {
                ASSERT_LT(elapsed, s.DueTime(next + kMaxLateQuarterFrames, kNs));
            } else {
                ASSERT_GE(elapsed, s.DueTime(next + kMaxLateQuarterFrames, kNs));
                ASSERT_EQ(chosen % 8, 0u);
                ASSERT_GT(chosen, next);
                ASSERT_GE(s.DueTime(chosen, kNs), elapsed);
                ASSERT_LT(s.DueTime(chosen - 8, kNs), elapsed);
            }
        }
    }
}


TEST(MtcSequencerToDecoder, TheDeskShowsEverySetsTimeAcrossMinuteAndDayBoundaries) {
    struct Case { MtcTime start; MtcRate rate; };
    const Case cases[] = {
        {T(23, 59, 58, 0), MtcRate::Fps24},       {T(23, 59, 58, 0), MtcRate::Fps25},
        {T(0, 9, 58, 10), MtcRate::Fps2997Drop},  {T(23, 59, 58, 1), MtcRate::Fps2997Drop},
        {T(0, 0, 59, 0), MtcRate::Fps2997},       {T(19, 59, 59, 0), MtcRate::Fps30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.rate));
        const MtcSequencer seq(c.start, c.rate);
        MtcDecoderState state = {};
        ShownTimes display;
        const std::uint64_t sets = 120;  // four seconds at 30 fps: crosses the boundary
        for (std::uint64_t n = 0; n < sets * 8; ++n) {
            const QuarterFrameBytes b = seq.Bytes(n);
            DecodeMtcByte(state, b.status, display);
            DecodeMtcByte(state, b.data, display);
        }
        ASSERT_EQ(display.shown.size(), sets);
        EXPECT_EQ(display.shown.front(), c.start);
        for (std::uint64_t k = 0; k < sets; ++k) ASSERT_EQ(display.shown[k], seq.SetTime(k));
        EXPECT_EQ(display.toggleSets, 0);
    }
}

}  // namespace
