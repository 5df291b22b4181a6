// The stand-in driver's MIDI Time Code sequencing: for a run started at a given time and rate,
// which two bytes the generator sends for each quarter frame and when, counted from the run's
// start. Platform-free; only the generator thread (standin_driver.cpp) touches the clock.
//
// Rates, by the desk's rate index:
//   0  24 fps                                  code 0, quarter frame every 1/96 s
//   1  25 fps                                  code 1, quarter frame every 1/100 s
//   2  29.97 fps (30000/1001), non-drop labels code 3, quarter frame every 1001/120000 s
//   3  29.97 fps (30000/1001), drop-frame      code 2, quarter frame every 1001/120000 s
//   4  30 fps                                  code 3, quarter frame every 1/120 s
//
// Stream: quarter frame n is the status byte 0xF1 then the data byte 0ppp nnnn with piece
// p = n mod 8: frames low nibble, frames bit 4, seconds low nibble, seconds bits 4-5, minutes
// low nibble, minutes bits 4-5, hours low nibble, 0rrh (rate code rr, hours bit 4). The eight
// pieces of set k = n / 8 all carry one time, that of frame 2k of the run: set 0 carries the
// start time, each further set two frames more. Time of day wraps from 23:59:59:last to
// 00:00:00:00.
//
// Due times are exact: quarter frame n is due n x period after the start, computed in integer
// arithmetic in whatever unit the caller counts (nanoseconds in tests, performance-counter
// ticks in the generator), rounded down; nothing accumulates. Exact for up to 10^10 units per
// second and runs of up to decades.
//
// Start times the desk's spinners can hold but the rate cannot are normalised, never refused:
//   - excess frames carry into the seconds (24 fps 00:00:10:30 -> 00:00:11:06), excess
//     seconds into the minutes, excess minutes into the hours;
//   - hours are taken modulo 24 (99:00:00:00 -> 03:00:00:00);
//   - at the drop-frame rate, the dropped labels 00 and 01 at the start of a minute not
//     divisible by 10 move to frame 02 of that minute (00:01:00:00 -> 00:01:00:02).
//
// Catch-up: a generator that falls behind (a stalled thread) sends late quarter frames at
// once as long as no more than kMaxLateQuarterFrames of them are overdue, so a short stall
// gives a burst of at most that many. Further behind, it abandons the set in progress and
// skips to the first set whose piece 0 is not yet due; the display thus never sees two times
// mixed in one set, and the time code stays locked to real time.
#pragma once

#include <cstdint>

enum class MtcRate : std::uint8_t { Fps24, Fps25, Fps2997, Fps2997Drop, Fps30 };

// The rate for a desk rate index (0..4); false for any other index.
bool MtcRateFromIndex(std::int32_t index, MtcRate& rate);

struct MtcRateInfo {
    std::uint32_t framesPerSecond;  // nominal frame count per labelled second: 24, 25 or 30
    bool dropFrame;                 // drop-frame labels
    std::uint8_t code;              // rate code in piece 7
    std::uint32_t periodNumerator;  // quarter-frame period in seconds,
    std::uint32_t periodDenominator;  // as numerator / denominator
};
const MtcRateInfo& RateInfo(MtcRate rate);

struct MtcTime {
    std::uint32_t hours, minutes, seconds, frames;
};
inline bool operator==(const MtcTime& a, const MtcTime& b) {
    return a.hours == b.hours && a.minutes == b.minutes && a.seconds == b.seconds &&
           a.frames == b.frames;
}
inline bool operator!=(const MtcTime& a, const MtcTime& b) { return !(a == b); }

// Number of frames in a day at the rate (2,589,408 at drop-frame).
std::uint32_t FramesPerDay(MtcRate rate);
// Any start time made into a valid label of the rate (see the rules above).
MtcTime NormaliseStartTime(const MtcTime& start, MtcRate rate);
// Frames since 00:00:00:00 of a valid label, and back (frame < FramesPerDay).
std::uint32_t FrameOfTime(const MtcTime& valid, MtcRate rate);
MtcTime TimeOfFrame(std::uint32_t frame, MtcRate rate);

struct QuarterFrameBytes {
    std::uint8_t status;  // always 0xF1
    std::uint8_t data;    // 0ppp nnnn
};

constexpr std::uint8_t kMtcQuarterFrameStatus = 0xF1;
// Overdue quarter frames the generator still sends late rather than skipping ahead.
constexpr std::uint32_t kMaxLateQuarterFrames = 4;

class MtcSequencer {
public:
    // The start time is normalised here.
    MtcSequencer(const MtcTime& start, MtcRate rate);

    MtcRate rate() const { return rate_; }
    MtcTime start() const { return TimeOfFrame(startFrame_, rate_); }

    // The time carried by set k (quarter frames 8k..8k+7).
    MtcTime SetTime(std::uint64_t set) const;
    // The two bytes of quarter frame n.
    QuarterFrameBytes Bytes(std::uint64_t n) const;
    // When quarter frame n is due after the start, in units of 1/unitsPerSecond s, rounded
    // down.
    std::uint64_t DueTime(std::uint64_t n, std::uint64_t unitsPerSecond) const;
    // The quarter frame to send next when `next` is the first one not yet sent and `elapsed`
    // units have passed since the start: `next` itself, or after a long stall the first set
    // start due at or after `elapsed` (the catch-up rule above).
    std::uint64_t NextToSend(std::uint64_t next, std::uint64_t elapsed,
                             std::uint64_t unitsPerSecond) const;

private:
    MtcRate rate_;
    std::uint32_t startFrame_;
};
