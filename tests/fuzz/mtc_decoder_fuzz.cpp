// The time code decoder on arbitrary byte streams and start toggle answers.
//
// Input: the first byte sets the auto-check counter (a small signed value, or for 0x7F and
// 0x80 one below the largest and the smallest 32-bit value); then each pair of bytes is one
// WM_MTC_BYTE: the MIDI byte, and a control byte whose bit 0 is the start toggle's answer
// and whose other bits fill wParam's high bits.
// A twin decoder is fed the bare MIDI bytes with the same toggle answers: wParam's high bits
// must make no difference. Any broken rule aborts.
#include "app/mtc_decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

class FuzzDesk final : public MtcDisplayPort {
public:
    int StartToggleState() override {
        ++gets;
        return toggle;
    }
    void SetStartToggle(int check) override {
        Check(check == 0 || check == 1);
        Check(toggle == 0);  // only an unchecked toggle is set
        ++sets;
        lastSet = check;
    }
    void ShowField(TimeField field, unsigned value) override {
        // Fields arrive frames, seconds, minutes, hours, within their bit widths.
        Check(static_cast<unsigned>(field) == shownFields % 4);
        static const unsigned kLimit[] = {31, 63, 63, 31};
        Check(value <= kLimit[static_cast<int>(field)]);
        ++shownFields;
    }
    int toggle = 0;
    int gets = 0, sets = 0, lastSet = -1;
    unsigned shownFields = 0;
};

bool SameState(const MtcDecoderState& a, const MtcDecoderState& b) {
    return a.decodedTime.hours == b.decodedTime.hours &&
           a.decodedTime.minutes == b.decodedTime.minutes &&
           a.decodedTime.seconds == b.decodedTime.seconds &&
           a.decodedTime.frames == b.decodedTime.frames &&
           a.quarterFrameSeen == b.quarterFrameSeen && a.autoCheckCounter == b.autoCheckCounter;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MtcDecoderState state = {};
    MtcDecoderState twin = {};
    if (size >= 1) {
        // Small counters around the values the desk sets (-3, 0), and the extremes.
        const std::int8_t first = static_cast<std::int8_t>(data[0]);
        std::int32_t counter = first;
        if (first == INT8_MAX) counter = INT32_MAX - 1;
        if (first == INT8_MIN) counter = INT32_MIN;
        state.autoCheckCounter = twin.autoCheckCounter = counter;
        ++data;
        --size;
    }
    FuzzDesk desk, twinDesk;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const unsigned midi = data[i];
        const unsigned control = data[i + 1];
        desk.toggle = twinDesk.toggle = static_cast<int>(control & 1);
        const unsigned wParam = midi | (control >> 1) << 8;
        const MtcDecoderState before = state;
        const int getsBefore = desk.gets, setsBefore = desk.sets;
        const unsigned shownBefore = desk.shownFields;

        DecodeMtcByte(state, wParam, desk);
        DecodeMtcByte(twin, midi, twinDesk);
        Check(SameState(state, twin));

        const DecodedTime& t = state.decodedTime;
        Check(t.frames <= 31 && t.seconds <= 63 && t.minutes <= 63 && t.hours <= 31);
        Check(desk.shownFields == shownBefore || desk.shownFields == shownBefore + 4);
        const bool counted = midi != kQuarterFrameStatus && before.quarterFrameSeen;
        // The toggle is asked once per counted byte; 0xF1 and unarmed bytes touch nothing.
        Check(desk.gets == getsBefore + (counted ? 1 : 0));
        if (!counted || desk.toggle == 1) {
            Check(desk.sets == setsBefore);
            Check(state.autoCheckCounter == before.autoCheckCounter);
        } else {
            Check(desk.sets == setsBefore + 1);
            Check(desk.lastSet == (before.autoCheckCounter > 0 ? 1 : 0));
            Check(state.autoCheckCounter >= before.autoCheckCounter);  // never wraps round
        }
        if (midi >= 0x80 || !before.quarterFrameSeen) {
            Check(std::memcmp(&t, &before.decodedTime, sizeof t) == 0);
        }
        Check(state.quarterFrameSeen == (before.quarterFrameSeen || midi == kQuarterFrameStatus));
    }
    return 0;
}
