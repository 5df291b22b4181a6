// A decoder port that records every time the desk would show (at each piece 7), for tests
// that feed the decoder a generated stream. The start toggle reads as checked.
#pragma once

#include <vector>

#include "app/mtc_decoder.h"
#include "standin/mtc_sequencer.h"

class ShownTimes final : public MtcDisplayPort {
public:
    int StartToggleState() override { return 1; }
    void SetStartToggle(int) override { ++toggleSets; }
    void ShowField(TimeField field, unsigned value) override {
        switch (field) {
        case TimeField::Frames: current.frames = value; break;
        case TimeField::Seconds: current.seconds = value; break;
        case TimeField::Minutes: current.minutes = value; break;
        case TimeField::Hours: current.hours = value; shown.push_back(current); break;
        }
    }
    MtcTime current = {};
    std::vector<MtcTime> shown;
    int toggleSets = 0;
};
