#include "controls/accessible_rules.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace accessible_rules;

// Counts the table's live blocks.
int g_live;
void* CountingAlloc(std::size_t bytes) {
    ++g_live;
    return std::malloc(bytes);
}
void CountingRelease(void* block) {
    --g_live;
    std::free(block);
}
const Memory kMemory = {CountingAlloc, CountingRelease};

struct TableTest : ::testing::Test {
    Table table{};
    void SetUp() override { g_live = 0; }
    void TearDown() override {
        Clear(table, kMemory);
        EXPECT_EQ(g_live, 0) << "every name and the array are freed";
    }
};

int g_keys[40];

bool ShiftJisLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

TEST_F(TableTest, NamesAreCopiesKeptPerKeyUntilRemoved) {
    char given[] = "Hours";
    ASSERT_TRUE(SetName(table, &g_keys[0], given, kMemory));
    ASSERT_TRUE(SetName(table, &g_keys[1], "Minutes", kMemory));
    given[0] = 'X';  // the caller's buffer may change or go
    EXPECT_STREQ(NameOf(table, &g_keys[0]), "Hours");
    EXPECT_STREQ(NameOf(table, &g_keys[1]), "Minutes");
    EXPECT_EQ(NameOf(table, &g_keys[2]), nullptr);

    ASSERT_TRUE(SetName(table, &g_keys[0], "Start", kMemory));  // a new name replaces the old
    EXPECT_STREQ(NameOf(table, &g_keys[0]), "Start");
    ASSERT_TRUE(SetName(table, &g_keys[1], "", kMemory));  // "" (or null) takes it away
    EXPECT_EQ(NameOf(table, &g_keys[1]), nullptr);

    Remove(table, &g_keys[0], kMemory);
    EXPECT_EQ(NameOf(table, &g_keys[0]), nullptr);
    EXPECT_EQ(g_live, 1) << "only the records' array is left";
}

TEST_F(TableTest, GrowsPastItsFirstCapacityAndKeepsEveryName) {
    char name[8];
    for (int i = 0; i < 40; ++i) {
        std::snprintf(name, sizeof name, "C%d", i);
        ASSERT_TRUE(SetName(table, &g_keys[i], name, kMemory));
    }
    for (int i = 0; i < 40; i += 13) {
        std::snprintf(name, sizeof name, "C%d", i);
        EXPECT_STREQ(NameOf(table, &g_keys[i]), name);
    }
    Remove(table, &g_keys[0], kMemory);  // the last record moves into the hole
    EXPECT_STREQ(NameOf(table, &g_keys[39]), "C39");
}

TEST_F(TableTest, ARecordMadeAgainForAKeyIsToldApartFromTheOneBefore) {
    Record* first = Renew(table, &g_keys[0], kMemory);
    ASSERT_NE(first, nullptr);
    first->thread = 7;
    const std::uint32_t was = first->generation;
    ASSERT_TRUE(SetName(table, &g_keys[0], "Hours", kMemory));
    EXPECT_TRUE(IsCurrent(table, &g_keys[0], was));
    EXPECT_TRUE(AnyOfThread(table, 7));

    Record* again = Renew(table, &g_keys[0], kMemory);  // a new control on the same handle
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again->generation, was);
    EXPECT_FALSE(IsCurrent(table, &g_keys[0], was));
    EXPECT_TRUE(IsCurrent(table, &g_keys[0], again->generation));
    EXPECT_EQ(NameOf(table, &g_keys[0]), nullptr) << "the old control's name went with it";
    EXPECT_FALSE(AnyOfThread(table, 7));

    const std::uint32_t now = again->generation;
    Remove(table, &g_keys[0], kMemory);
    EXPECT_FALSE(IsCurrent(table, &g_keys[0], now));
}

TEST(AccessibleTexts, ACutNeverEndsInsideADoubleByteCharacter) {
    const struct { const char* text; std::size_t length, whole; } rows[] = {
        {"Hours", 5, 5},
        {"Hours", 3, 3},
        {"ab\x82\xA0", 4, 4},         // a whole double-byte character at the end
        {"ab\x82\xA0", 3, 2},         // cut after its lead byte: the lead byte goes
        {"\x82\x82\x82\xA0", 3, 2},  // a trail byte that looks like a lead byte is a trail
        {"\x82\x82\x82\xA0", 4, 4},
        {"", 0, 0},
    };
    for (const auto& r : rows) EXPECT_EQ(WholeCharacters(r.text, r.length, ShiftJisLead), r.whole) << r.length;
}

TEST(AccessibleTexts, TheBitmapListsItemOfCountHoldsEveryPosition) {
    const struct { std::int32_t pos, count; const char* text; } rows[] = {
        {1, 3, "2 of 3"},
        {2147483647, 3, "2147483648 of 3"},  // the largest position SBM_SETPOS stores
        {-1, 0, "0 of 0"},
        {-2147483647 - 1, -2147483647 - 1, "-2147483647 of -2147483648"},
    };
    for (const auto& r : rows) {
        char out[kItemOfCountBytes];
        const std::size_t n = ItemOfCount(out, r.pos, r.count);
        EXPECT_STREQ(out, r.text);
        EXPECT_EQ(n, std::strlen(r.text));
    }
}

TEST(ValueEventThrottle, AtMostOnePerGapWhileChangingAndTheLastValueFollows) {
    Throttle t{};
    // Each row: a change (or the deferred timer) at a tick, and what it asks for.
    const struct { bool timer; std::uint32_t now; bool fireNow, armTimer; std::uint32_t delay; } rows[] = {
        {false, 5000, true, false, 0},    // the first change fires at once
        {false, 5100, false, true, 900},  // within the gap: deferred to 1000 after the last event
        {false, 5500, false, false, 0},   // pending already: nothing more
        {true, 6000, true, false, 0},     // the timer fires the last value
        {true, 6100, false, false, 0},    // a stray timer with nothing pending fires nothing
        {false, 6400, false, true, 600},  // the gap counts from the deferred event
        {true, 7000, true, false, 0},
        {false, 9000, true, false, 0},    // quiet for longer than the gap: at once again
        {false, 9100, false, true, 900},  // armed; the host's loop drops the timer's message
        {false, 11000, false, false, 0},  // pending for 1900: still waited for
        {false, 11200, true, false, 0},   // pending for 2100, past twice the gap: lost, at once
        {true, 11300, false, false, 0},   // its timer, should it still come, fires nothing
        {false, 11400, false, true, 800}, // and the throttle goes on as before
    };
    for (const auto& r : rows) {
        if (r.timer) {
            EXPECT_EQ(OnTimerDue(t, r.now), r.fireNow) << r.now;
        } else {
            const ChangeAnswer a = OnValueChange(t, r.now);
            EXPECT_EQ(a.fireNow, r.fireNow) << r.now;
            EXPECT_EQ(a.armTimer, r.armTimer) << r.now;
            if (r.armTimer) {
                EXPECT_EQ(a.delay, r.delay) << r.now;
            }
        }
    }
}

TEST(ValueEventThrottle, TheTickCountsWrapAroundDoesNotStopEvents) {
    Throttle t{};
    EXPECT_TRUE(OnValueChange(t, 0xFFFFFF00u).fireNow);
    const ChangeAnswer a = OnValueChange(t, 0x00000010u);  // 0x110 ms later, across the wrap
    EXPECT_TRUE(a.armTimer);
    EXPECT_EQ(a.delay, kValueEventGap - 0x110u);
    EXPECT_FALSE(OnValueChange(t, 0x00000400u).fireNow);
    EXPECT_TRUE(OnTimerDue(t, 0x000002F0u));
    EXPECT_TRUE(OnValueChange(t, 0x000006E0u).fireNow);
}
