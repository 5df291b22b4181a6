#include "standin/mtc_sequencer.h"

namespace {

constexpr MtcRateInfo kRates[] = {
    {24, false, 0, 1, 96},
    {25, false, 1, 1, 100},
    {30, false, 3, 1001, 120000},
    {30, true, 2, 1001, 120000},
    {30, false, 3, 1, 120},
};

// Drop-frame labels: 1800 frames in a minute divisible by 10, 1798 in the nine others.
constexpr std::uint32_t kDropFramesPerTenMinutes = 17982;
constexpr std::uint32_t kDropFramesPerDroppedMinute = 1798;

bool IsDroppedLabel(std::uint64_t minutes, std::uint64_t seconds, std::uint64_t frames) {
    return minutes % 10 != 0 && seconds == 0 && frames < 2;
}

}  // namespace

bool MtcRateFromIndex(std::int32_t index, MtcRate& rate) {
    if (index < 0 || index > 4) return false;
    rate = static_cast<MtcRate>(index);
    return true;
}

const MtcRateInfo& RateInfo(MtcRate rate) {
    return kRates[static_cast<int>(rate)];
}

std::uint32_t FramesPerDay(MtcRate rate) {
    const MtcRateInfo& info = RateInfo(rate);
    if (info.dropFrame) return kDropFramesPerTenMinutes * 6 * 24;
    return info.framesPerSecond * 60 * 60 * 24;
}

MtcTime NormaliseStartTime(const MtcTime& start, MtcRate rate) {
    const MtcRateInfo& info = RateInfo(rate);
    // 64-bit: each field may hold any 32-bit value.
    std::uint64_t frames = start.frames;
    std::uint64_t seconds = start.seconds + frames / info.framesPerSecond;
    frames %= info.framesPerSecond;
    std::uint64_t minutes = start.minutes + seconds / 60;
    seconds %= 60;
    std::uint64_t hours = start.hours + minutes / 60;
    minutes %= 60;
    hours %= 24;
    if (info.dropFrame && IsDroppedLabel(minutes, seconds, frames)) frames = 2;
    return MtcTime{static_cast<std::uint32_t>(hours), static_cast<std::uint32_t>(minutes),
                   static_cast<std::uint32_t>(seconds), static_cast<std::uint32_t>(frames)};
}

std::uint32_t FrameOfTime(const MtcTime& t, MtcRate rate) {
    const MtcRateInfo& info = RateInfo(rate);
    const std::uint32_t totalMinutes = t.hours * 60 + t.minutes;
    std::uint32_t frame = (totalMinutes * 60 + t.seconds) * info.framesPerSecond + t.frames;
    if (info.dropFrame) frame -= 2 * (totalMinutes - totalMinutes / 10);
    return frame;
}

MtcTime TimeOfFrame(std::uint32_t frame, MtcRate rate) {
    const MtcRateInfo& info = RateInfo(rate);
    if (info.dropFrame) {
        // Back to a 30-frame count by re-inserting the two skipped numbers of every minute
        // passed that is not divisible by 10.
        const std::uint32_t tens = frame / kDropFramesPerTenMinutes;
        const std::uint32_t rest = frame % kDropFramesPerTenMinutes;
        frame += 18 * tens;
        if (rest >= 2) frame += 2 * ((rest - 2) / kDropFramesPerDroppedMinute);
    }
    const std::uint32_t fps = info.framesPerSecond;
    return MtcTime{frame / (fps * 3600), frame / (fps * 60) % 60, frame / fps % 60, frame % fps};
}

MtcSequencer::MtcSequencer(const MtcTime& start, MtcRate rate)
    : rate_(rate), startFrame_(FrameOfTime(NormaliseStartTime(start, rate), rate)) {}

MtcTime MtcSequencer::SetTime(std::uint64_t set) const {
    const std::uint64_t perDay = FramesPerDay(rate_);
    const std::uint64_t frame = (startFrame_ + 2 * (set % perDay)) % perDay;
    return TimeOfFrame(static_cast<std::uint32_t>(frame), rate_);
}

QuarterFrameBytes MtcSequencer::Bytes(std::uint64_t n) const {
    const MtcTime t = SetTime(n / 8);
    const unsigned piece = static_cast<unsigned>(n % 8);
    unsigned nibble = 0;
    switch (piece) {
    case 0: nibble = t.frames & 0x0F; break;
    case 1: nibble = (t.frames >> 4) & 0x01; break;
    case 2: nibble = t.seconds & 0x0F; break;
    case 3: nibble = (t.seconds >> 4) & 0x03; break;
    case 4: nibble = t.minutes & 0x0F; break;
    case 5: nibble = (t.minutes >> 4) & 0x03; break;
    case 6: nibble = t.hours & 0x0F; break;
    default: nibble = static_cast<unsigned>(RateInfo(rate_).code << 1) | ((t.hours >> 4) & 0x01);
    }
    return QuarterFrameBytes{kMtcQuarterFrameStatus, static_cast<std::uint8_t>(piece << 4 | nibble)};
}

std::uint64_t MtcSequencer::DueTime(std::uint64_t n, std::uint64_t unitsPerSecond) const {
    // floor(n * num * ups / den) without overflow: n = q * den + r.
    const MtcRateInfo& info = RateInfo(rate_);
    const std::uint64_t den = info.periodDenominator;
    const std::uint64_t numUnits = info.periodNumerator * unitsPerSecond;
    return n / den * numUnits + n % den * numUnits / den;
}

std::uint64_t MtcSequencer::NextToSend(std::uint64_t next, std::uint64_t elapsed,
                                       std::uint64_t unitsPerSecond) const {
    if (elapsed < DueTime(next + kMaxLateQuarterFrames, unitsPerSecond)) return next;
    // The first n with DueTime(n) >= elapsed is ceil(elapsed * den / (num * ups)), computed
    // as elapsed = q * numUnits + r; then up to the next multiple of 8.
    const MtcRateInfo& info = RateInfo(rate_);
    const std::uint64_t den = info.periodDenominator;
    const std::uint64_t numUnits = info.periodNumerator * unitsPerSecond;
    const std::uint64_t q = elapsed / numUnits;
    const std::uint64_t r = elapsed % numUnits;
    const std::uint64_t first = q * den + (r * den + numUnits - 1) / numUnits;
    return (first + 7) / 8 * 8;
}
