// The time code display's decoder: MIDI Time Code quarter-frame bytes in, the shown time and
// the start toggle's follow-up out. Platform-free: it acts only through MtcDisplayPort.
#pragma once

#include <cstdint>

enum class TimeField { Frames, Seconds, Minutes, Hours };

// What the decoder may do on the desk: read and set the start toggle, show one field.
class MtcDisplayPort {
public:
    virtual int StartToggleState() = 0;            // BM_GETCHECK: 1 when checked
    virtual void SetStartToggle(int check) = 0;    // BM_SETCHECK 1 or 0
    virtual void ShowField(TimeField field, unsigned value) = 0;  // SBM_SETPOS
protected:
    ~MtcDisplayPort() = default;
};

struct DecodedTime {
    std::uint8_t hours;
    std::uint8_t minutes;
    std::uint8_t seconds;
    std::uint8_t frames;
};

constexpr unsigned kQuarterFrameStatus = 0xF1;

// The decoder's process-wide state: all zero and false at program start, never reset.
struct MtcDecoderState {
    DecodedTime decodedTime;     // assembled piece by piece
    bool quarterFrameSeen;       // set by the first 0xF1, never cleared
    std::int32_t autoCheckCounter;  // 0 after a start, -3 before a stop; advanced here
};

// Handles one WM_MTC_BYTE: the byte is the low 8 bits of wParam.
void DecodeMtcByte(MtcDecoderState& state, unsigned wParam, MtcDisplayPort& display);
