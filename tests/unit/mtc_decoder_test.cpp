#include "app/mtc_decoder.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <vector>

namespace {

// Everything the decoder does to the desk, in order.
struct PortCall {
    enum Kind { GetToggle, SetToggle, Show } kind;
    TimeField field;
    unsigned value;
    bool operator==(const PortCall& o) const {
        return kind == o.kind && value == o.value && (kind != Show || field == o.field);
    }
};

void PrintTo(const PortCall& c, std::ostream* os) {
    static const char* const kinds[] = {"GetToggle", "SetToggle", "Show"};
    *os << kinds[c.kind] << '(' << (c.kind == PortCall::Show ? static_cast<int>(c.field) : -1)
        << ", " << c.value << ')';
}

PortCall Show(TimeField field, unsigned value) { return PortCall{PortCall::Show, field, value}; }
PortCall Get(unsigned answer) { return PortCall{PortCall::GetToggle, TimeField::Frames, answer}; }
PortCall Set(unsigned check) { return PortCall{PortCall::SetToggle, TimeField::Frames, check}; }

class RecordingDesk final : public MtcDisplayPort {
public:
    int StartToggleState() override {
        calls.push_back(Get(static_cast<unsigned>(toggle)));
        return toggle;
    }
    void SetStartToggle(int check) override {
        calls.push_back(Set(static_cast<unsigned>(check)));
        toggle = check;
    }
    void ShowField(TimeField field, unsigned value) override { calls.push_back(Show(field, value)); }

    std::vector<PortCall> Shows() const {
        std::vector<PortCall> out;
        for (const PortCall& c : calls) if (c.kind == PortCall::Show) out.push_back(c);
        return out;
    }
    int toggle = 1;  // a running generator: the user checked the start toggle
    std::vector<PortCall> calls;
};

struct Decoder {
    MtcDecoderState state = {};
    RecordingDesk desk;
    void Feed(std::initializer_list<unsigned> bytes) {
        for (unsigned b : bytes) DecodeMtcByte(state, b, desk);
    }
};

std::vector<PortCall> ShownTime(unsigned h, unsigned m, unsigned s, unsigned f) {
    return {Show(TimeField::Frames, f), Show(TimeField::Seconds, s),
            Show(TimeField::Minutes, m), Show(TimeField::Hours, h)};
}

TEST(MtcDecoder, CompleteSetsShowTheirTimeOnlyAtTheLastByte) {
    struct Case { std::vector<unsigned> stream; unsigned h, m, s, f; };
    const Case cases[] = {
        {{0xF1, 0x04, 0xF1, 0x10, 0xF1, 0x23, 0xF1, 0x30,
          0xF1, 0x42, 0xF1, 0x50, 0xF1, 0x61, 0xF1, 0x76}, 1, 2, 3, 4},
        {{0xF1, 0x0D, 0xF1, 0x11, 0xF1, 0x2B, 0xF1, 0x33,
          0xF1, 0x4B, 0xF1, 0x53, 0xF1, 0x67, 0xF1, 0x77}, 23, 59, 59, 29},
        // The 25 fps code in piece 7 changes nothing.
        {{0xF1, 0x08, 0xF1, 0x11, 0xF1, 0x2E, 0xF1, 0x31,
          0xF1, 0x44, 0xF1, 0x51, 0xF1, 0x6A, 0xF1, 0x72}, 10, 20, 30, 24},
    };
    for (const Case& c : cases) {
        Decoder d;
        for (std::size_t i = 0; i + 1 < c.stream.size(); ++i) {
            DecodeMtcByte(d.state, c.stream[i], d.desk);
            ASSERT_TRUE(d.desk.Shows().empty()) << "byte " << i;
        }
        DecodeMtcByte(d.state, c.stream.back(), d.desk);
        EXPECT_EQ(d.desk.Shows(), ShownTime(c.h, c.m, c.s, c.f));
        EXPECT_EQ(d.state.decodedTime.hours, c.h);
        EXPECT_EQ(d.state.decodedTime.frames, c.f);
    }
}

TEST(MtcDecoder, BytesBeforeTheFirstStatusByteChangeNothing) {
    Decoder d;
    d.desk.toggle = 0;
    d.Feed({0x04, 0x10, 0x23, 0x30, 0x42, 0x50, 0x61, 0x76, 0xF8, 0xFE, 0x7F});
    EXPECT_TRUE(d.desk.calls.empty());  // not even the start toggle is asked
    EXPECT_EQ(d.state.decodedTime.frames, 0);
    EXPECT_EQ(d.state.decodedTime.hours, 0);
    EXPECT_EQ(d.state.autoCheckCounter, 0);
    EXPECT_FALSE(d.state.quarterFrameSeen);
    // The first 0xF1 arms the decoder but itself touches nothing.
    d.Feed({0xF1});
    EXPECT_TRUE(d.state.quarterFrameSeen);
    EXPECT_TRUE(d.desk.calls.empty());
    d.Feed({0x77});
    EXPECT_EQ(d.desk.Shows(), ShownTime(16, 0, 0, 0));
}

TEST(MtcDecoder, HighPiecesKeepTheOtherBitsOfTheirField) {
    Decoder d;
    d.Feed({0xF1});
    d.state.decodedTime = DecodedTime{0x11, 0x3C, 0x2A, 0x14};
    d.Feed({0x11});  // a stray piece 1: frames keeps its low five bits
    EXPECT_EQ(d.state.decodedTime.frames, 0x14);
    d.Feed({0x10});
    EXPECT_EQ(d.state.decodedTime.frames, 0x14);  // bit 4 is only ever set by piece 1
    d.Feed({0x31});  // seconds bits 4-5 become 01, the low nibble stays
    EXPECT_EQ(d.state.decodedTime.seconds, 0x3A);
    d.Feed({0x52});
    EXPECT_EQ(d.state.decodedTime.minutes, 0x3C);
    // A lone piece 7 re-shows the stored time; 0x76 leaves hours bit 4 as it was: 17.
    d.Feed({0x76});
    EXPECT_EQ(d.desk.Shows(), ShownTime(17, 0x3C, 0x3A, 0x14));
    // A piece 0 replaces the whole frames value, bit 4 included.
    d.Feed({0x03, 0x76});
    EXPECT_EQ(d.state.decodedTime.frames, 3);
    // Pieces arrive without their 0xF1 and are decoded all the same.
    d.Feed({0x25, 0x46, 0x68});
    EXPECT_EQ(d.state.decodedTime.seconds, 5);  // piece 2 replaces the whole value
    EXPECT_EQ(d.state.decodedTime.minutes, 6);
    EXPECT_EQ(d.state.decodedTime.hours, 8);
}

TEST(MtcDecoder, AfterAStopTheFifthCountedByteChecksTheToggle) {
    Decoder d;
    d.Feed({0xF1});
    d.desk.toggle = 0;
    d.state.autoCheckCounter = -3;
    d.Feed({0x01, 0xF1, 0x10, 0xF1, 0x22});
    EXPECT_EQ(d.desk.calls, (std::vector<PortCall>{Get(0), Set(0), Get(0), Set(0), Get(0), Set(0)}));
    EXPECT_EQ(d.state.autoCheckCounter, 0);
    d.Feed({0xF1, 0x30});  // fourth: counter 0 -> 1, still unchecked
    EXPECT_EQ(d.desk.toggle, 0);
    EXPECT_EQ(d.state.decodedTime.seconds, 2);  // counted bytes are still decoded
    d.desk.calls.clear();
    d.Feed({0xF1, 0x44});  // fifth: old value 1 > 0 checks it
    EXPECT_EQ(d.desk.calls, (std::vector<PortCall>{Get(0), Set(1)}));
    EXPECT_EQ(d.state.autoCheckCounter, 2);
    // Checked now: counting ends and nothing is sent to the toggle.
    d.desk.calls.clear();
    d.Feed({0xF1, 0x50, 0xF8});
    EXPECT_EQ(d.desk.calls, (std::vector<PortCall>{Get(1), Get(1)}));
    EXPECT_EQ(d.state.autoCheckCounter, 2);
}

TEST(MtcDecoder, AtProgramStartTheSecondCountedByteChecksTheToggle) {
    Decoder d;
    d.desk.toggle = 0;
    d.Feed({0xF1, 0x00});
    EXPECT_EQ(d.desk.calls, (std::vector<PortCall>{Get(0), Set(0)}));  // unchecked, still sent
    d.Feed({0xF1, 0x10});
    EXPECT_EQ(d.desk.toggle, 1);
    EXPECT_EQ(d.desk.calls.back(), Set(1));
    EXPECT_EQ(d.state.autoCheckCounter, 2);
}

TEST(MtcDecoder, OtherStatusBytesAreCountedButChangeNoField) {
    Decoder d;
    d.Feed({0xF1});
    d.state.decodedTime = DecodedTime{1, 2, 3, 4};
    d.desk.toggle = 0;
    d.state.autoCheckCounter = -3;
    d.Feed({0xF8, 0xFE, 0x80, 0xFF});
    EXPECT_EQ(d.state.autoCheckCounter, 1);
    EXPECT_EQ(d.desk.toggle, 0);
    EXPECT_TRUE(d.desk.Shows().empty());
    EXPECT_EQ(d.state.decodedTime.hours, 1);
    EXPECT_EQ(d.state.decodedTime.minutes, 2);
    EXPECT_EQ(d.state.decodedTime.seconds, 3);
    EXPECT_EQ(d.state.decodedTime.frames, 4);
}

TEST(MtcDecoder, OnlyTheLowByteOfWParamCounts) {
    Decoder d;
    d.desk.toggle = 0;
    d.Feed({0x1F1});  // taken as 0xF1: arms the decoder, nothing counted
    EXPECT_TRUE(d.state.quarterFrameSeen);
    EXPECT_TRUE(d.desk.calls.empty());
    d.Feed({0x305, 0xF1, 0xFFFF0011});  // piece 0 = 5, then piece 1 with bit 4 set
    EXPECT_EQ(d.state.decodedTime.frames, 0x15);
    EXPECT_EQ(d.state.autoCheckCounter, 2);
}

TEST(MtcDecoder, CheckedToggleCountsNothingAndSendsNothing) {
    Decoder d;
    d.state.autoCheckCounter = -3;
    d.Feed({0xF1, 0x04, 0xF1, 0x10, 0xF8, 0xF1, 0x23});
    EXPECT_EQ(d.state.autoCheckCounter, -3);
    for (const PortCall& c : d.desk.calls) EXPECT_EQ(c.kind, PortCall::GetToggle);
    EXPECT_EQ(d.desk.calls.size(), 4u);  // asked once per counted byte, 0xF1 never
}

TEST(MtcDecoder, OutOfRangeValuesAreShownAsAssembled) {
    // Frames 31 (pieces 0x0F, 0x11) and seconds 63 reach the spinners unchanged; wrapping is
    // the spinners' business.
    Decoder d;
    d.Feed({0xF1, 0x0F, 0xF1, 0x11, 0xF1, 0x2F, 0xF1, 0x33, 0xF1, 0x4C, 0xF1, 0x53,
            0xF1, 0x6F, 0xF1, 0x71});
    EXPECT_EQ(d.desk.Shows(), ShownTime(31, 60, 63, 31));
}

}  // namespace
