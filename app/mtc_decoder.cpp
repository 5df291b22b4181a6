#include "app/mtc_decoder.h"

namespace {

// The start toggle checks itself again when time code keeps arriving while the desk thinks
// the generator is stopped: the counter runs up from -3 (after a stop) or 0 (at start-up)
// and the toggle is checked once it was above 0.
void FollowUpStartToggle(MtcDecoderState& state, MtcDisplayPort& display) {
    if (display.StartToggleState() == 1) return;
    const std::int32_t old = state.autoCheckCounter;
    // Saturating: a stream that never stops must not overflow the counter.
    if (old < INT32_MAX) state.autoCheckCounter = old + 1;
    display.SetStartToggle(old > 0 ? 1 : 0);
}

void StorePiece(DecodedTime& t, unsigned piece, unsigned nibble, MtcDisplayPort& display) {
    switch (piece) {
    case 0: t.frames = static_cast<std::uint8_t>(nibble); break;
    case 1: t.frames = static_cast<std::uint8_t>((t.frames & 0x1F) | ((nibble & 0x1) << 4)); break;
    case 2: t.seconds = static_cast<std::uint8_t>(nibble); break;
    case 3: t.seconds = static_cast<std::uint8_t>((t.seconds & 0x3F) | ((nibble & 0x3) << 4)); break;
    case 4: t.minutes = static_cast<std::uint8_t>(nibble); break;
    case 5: t.minutes = static_cast<std::uint8_t>((t.minutes & 0x3F) | ((nibble & 0x3) << 4)); break;
    case 6: t.hours = static_cast<std::uint8_t>(nibble); break;
    case 7:
        t.hours = static_cast<std::uint8_t>((t.hours & 0x1F) | ((nibble & 0x1) << 4));
        display.ShowField(TimeField::Frames, t.frames);
        display.ShowField(TimeField::Seconds, t.seconds);
        display.ShowField(TimeField::Minutes, t.minutes);
        display.ShowField(TimeField::Hours, t.hours);
        break;
    default: break;
    }
}

}  // namespace

void DecodeMtcByte(MtcDecoderState& state, unsigned wParam, MtcDisplayPort& display) {
    const unsigned b = wParam & 0xFF;
    if (b == kQuarterFrameStatus) {
        state.quarterFrameSeen = true;
        return;
    }
    if (!state.quarterFrameSeen) return;
    FollowUpStartToggle(state, display);
    if (b >= 0x80) return;
    StorePiece(state.decodedTime, b >> 4, b & 0x0F, display);
}
