#include "driver/error_log_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr long kFileNotFound = 2;      // ERROR_FILE_NOT_FOUND
constexpr long kAccessDenied = 5;      // ERROR_ACCESS_DENIED
constexpr long kKeyDeleted = 1018;     // ERROR_KEY_DELETED

struct FakeEntry {
    std::string name;
    std::string value;                 // the value's bytes (may hold zeros)
    long enumResult = kLogSuccess;     // what enumerating this index answers
    long readResult = kLogSuccess;     // what reading the entry answers
    long reportedSize = -1;            // size to report instead of value.size(), if >= 0
};

// A log that behaves like the registry: a name or value that does not fit the capacity it is
// given fails with kLogMoreData. It records every call and, on a read, leaves 'Z' in the
// buffer past the bytes it stored, so that reading beyond the returned size shows.
class FakeLog : public ErrorLogReader {
public:
    std::vector<FakeEntry> entries;
    long pastEnd = kLogNoMoreItems;    // answer for indexes past the entries

    std::vector<std::uint32_t> enumIndexes;
    std::vector<std::uint32_t> nameCapacities;
    std::vector<std::string> readNames;
    std::vector<std::uint32_t> valueCapacities;

    long EnumEntry(std::uint32_t index, char* name, std::uint32_t* length) override {
        enumIndexes.push_back(index);
        nameCapacities.push_back(*length);
        if (index >= entries.size()) return pastEnd;
        const FakeEntry& e = entries[index];
        if (e.enumResult != kLogSuccess) return e.enumResult;
        if (e.name.size() + 1 > *length) return kLogMoreData;
        std::memcpy(name, e.name.c_str(), e.name.size() + 1);
        *length = static_cast<std::uint32_t>(e.name.size());
        return kLogSuccess;
    }

    long ReadEntry(const char* name, unsigned char* data, std::uint32_t* size) override {
        readNames.push_back(name);
        valueCapacities.push_back(*size);
        for (const FakeEntry& e : entries) {
            if (e.name != name) continue;
            if (e.readResult != kLogSuccess) return e.readResult;
            if (e.value.size() > *size) {
                *size = static_cast<std::uint32_t>(e.value.size());
                return kLogMoreData;
            }
            std::memset(data, 'Z', *size);
            std::memcpy(data, e.value.data(), e.value.size());
            *size = static_cast<std::uint32_t>(e.reportedSize >= 0 ? e.reportedSize
                                                                    : e.value.size());
            return kLogSuccess;
        }
        return kFileNotFound;
    }
};

FakeEntry Entry(const std::string& name, const std::string& value) {
    FakeEntry e;
    e.name = name;
    e.value = value;
    return e;
}

FakeEntry FailingEnum(long result) {
    FakeEntry e;
    e.enumResult = result;
    return e;
}

std::string Text(const ErrorLogReport& r) {
    EXPECT_EQ(std::strlen(r.text), r.length);
    return std::string(r.text, r.length);
}

std::vector<std::uint32_t> Iota(std::uint32_t n) {
    std::vector<std::uint32_t> v;
    for (std::uint32_t i = 0; i < n; ++i) v.push_back(i);
    return v;
}

// --- What the log shows -----------------------------------------------------------------

TEST(ErrorLogReport, EmptyLogShowsNothing) {
    FakeLog log;
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_FALSE(r.ShowsBox());
    EXPECT_EQ(r.count, 0u);
    EXPECT_EQ(Text(r), "");
    EXPECT_EQ(r.end, ErrorLogEnd::kNoMoreItems);
    EXPECT_TRUE(log.readNames.empty());
}

TEST(ErrorLogReport, EachMessageFollowsTwoLineFeedsInEnumerationOrder) {
    FakeLog log;
    log.entries = {Entry("E1", "Device timeout"), Entry("E2", "Buffer overrun")};
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_TRUE(r.ShowsBox());
    EXPECT_EQ(r.count, 2u);
    EXPECT_EQ(Text(r), "\n\nDevice timeout\n\nBuffer overrun");
    EXPECT_FALSE(r.truncated);
    EXPECT_EQ(log.readNames, (std::vector<std::string>{"E1", "E2"}));
}

TEST(ErrorLogReport, CapacitiesAreGivenAfreshOnEveryCall) {
    // The reader overwrites the capacities with the sizes it stored: a walk that reused them
    // would fail on the longer name and the longer value that follow.
    FakeLog log;
    log.entries = {Entry("E1", "ab"), Entry("Entry-0010", std::string(200, 'v'))};
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_EQ(Text(r), "\n\nab\n\n" + std::string(200, 'v'));
    EXPECT_EQ(log.nameCapacities, std::vector<std::uint32_t>(3, kErrorLogNameCapacity));
    EXPECT_EQ(log.valueCapacities, std::vector<std::uint32_t>(2, kErrorLogValueCapacity));
}

// --- Entries that add nothing but still count ------------------------------------------

TEST(ErrorLogReport, UnreadableEntriesCountButAddNothing) {
    FakeLog log;
    FakeEntry noValue = Entry("E1", "");
    noValue.readResult = kFileNotFound;      // no value named like the subkey
    FakeEntry refused = Entry("E2", "");
    refused.readResult = kAccessDenied;      // the subkey cannot be opened
    FakeEntry tooLong = Entry("E3", std::string(kErrorLogValueCapacity + 1, 'L'));
    log.entries = {noValue, refused, FailingEnum(kLogMoreData),  // a name that does not fit
                   tooLong, FailingEnum(kAccessDenied), Entry("E6", "kept")};
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_EQ(r.count, 6u);
    EXPECT_EQ(Text(r), "\n\nkept");
    EXPECT_EQ(log.readNames, (std::vector<std::string>{"E1", "E2", "E3", "E6"}));
    EXPECT_EQ(log.enumIndexes, Iota(7));  // failed enumerations advance the index too
}

TEST(ErrorLogReport, AllEntriesUnreadableStillShowsAnEmptyBox) {
    FakeLog log;
    FakeEntry noValue = Entry("E1", "");
    noValue.readResult = kFileNotFound;
    log.entries = {noValue, FailingEnum(kAccessDenied)};
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_TRUE(r.ShowsBox());
    EXPECT_EQ(r.count, 2u);
    EXPECT_EQ(Text(r), "");
}

// --- Values that are not plain text -----------------------------------------------------

TEST(ErrorLogReport, ValueTextEndsAtFirstZeroOrAtTheReturnedSize) {
    FakeLog log;
    FakeEntry shortSize = Entry("E5", "abcdef");
    shortSize.reportedSize = 3;  // bytes past the returned size are not part of the value
    log.entries = {
        Entry("E1", std::string("ABC\0", 4)),           // a DWORD 0x00434241
        Entry("E2", std::string("\0\0\0A", 4)),         // a DWORD 0x41000000
        Entry("E3", std::string("hi\0there", 8)),       // binary with a zero inside
        Entry("E4", ""),                                // an empty value
        shortSize,
        Entry("E6", "\x01\xff\t"),                      // odd bytes are kept as they are
    };
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_EQ(Text(r), "\n\nABC\n\n\n\nhi\n\n\n\nabc\n\n\x01\xff\t");
}

TEST(ErrorLogReport, FullValueWithoutTerminatorIsKeptUpToTheTextCapacity) {
    FakeLog log;
    std::string value(kErrorLogValueCapacity, 'x');
    value[0] = 'S';
    log.entries = {Entry("E1", value)};
    const ErrorLogReport r = AssembleErrorLog(log);
    ASSERT_EQ(r.length, kErrorLogTextCapacity - 1);
    EXPECT_EQ(Text(r), ("\n\n" + value).substr(0, kErrorLogTextCapacity - 1));
    EXPECT_TRUE(r.truncated);
}

TEST(ErrorLogReport, SizeClaimedBeyondTheCapacityIsCut) {
    FakeLog log;
    FakeEntry liar = Entry("E1", std::string(kErrorLogValueCapacity, 'y'));
    liar.reportedSize = 100000;
    log.entries = {liar};
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_EQ(Text(r), "\n\n" + std::string(kErrorLogTextCapacity - 3, 'y'));
}

// --- A log longer than the text ---------------------------------------------------------

TEST(ErrorLogReport, LongLogIsCutAtTheTextCapacityAndFullyCounted) {
    FakeLog log;
    std::string all;
    for (char c : std::string("abcd")) {
        log.entries.push_back(Entry(std::string("E") + c, std::string(100, c)));
        all += "\n\n" + std::string(100, c);
    }
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_EQ(r.count, 4u);
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(Text(r), all.substr(0, kErrorLogTextCapacity - 1));
    EXPECT_EQ(log.readNames.size(), 4u);
}

TEST(ErrorLogReport, HundredsOfEntriesAreAllEnumeratedInOrder) {
    FakeLog log;
    std::string all;
    for (int i = 0; i < 500; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "E%03d", i);
        log.entries.push_back(Entry(name, std::string("msg ") + name));
        all += std::string("\n\nmsg ") + name;
    }
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_EQ(r.count, 500u);
    EXPECT_EQ(r.end, ErrorLogEnd::kNoMoreItems);
    EXPECT_EQ(log.enumIndexes, Iota(501));
    ASSERT_EQ(log.readNames.size(), 500u);
    EXPECT_EQ(log.readNames[499], "E499");
    EXPECT_EQ(Text(r), all.substr(0, kErrorLogTextCapacity - 1));
}

// --- Walks that never hear "no more items" ----------------------------------------------

TEST(ErrorLogReport, EnumerationFailingForeverStopsAfterFailuresInARow) {
    FakeLog log;
    log.entries = {Entry("E1", "before the key went away")};
    log.pastEnd = kKeyDeleted;
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_EQ(r.end, ErrorLogEnd::kFailuresInARow);
    EXPECT_EQ(r.count, 1u + kErrorLogMaxConsecutiveFailures);
    EXPECT_EQ(Text(r), "\n\nbefore the key went away");
}

TEST(ErrorLogReport, ScatteredFailuresDoNotEndTheWalk) {
    // Runs of failures one short of the limit, each broken by a readable entry.
    FakeLog log;
    for (int round = 0; round < 3; ++round) {
        for (std::uint32_t i = 0; i + 1 < kErrorLogMaxConsecutiveFailures; ++i)
            log.entries.push_back(FailingEnum(kAccessDenied));
        log.entries.push_back(Entry("R" + std::to_string(round), std::to_string(round)));
    }
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_EQ(r.end, ErrorLogEnd::kNoMoreItems);
    EXPECT_EQ(r.count, 3 * kErrorLogMaxConsecutiveFailures);
    EXPECT_EQ(Text(r), "\n\n0\n\n1\n\n2");
}

// Answers every index with a full, unterminated name and a readable value.
class EndlessLog : public ErrorLogReader {
public:
    std::uint32_t calls = 0;
    std::size_t longestName = 0;
    long EnumEntry(std::uint32_t, char* name, std::uint32_t* length) override {
        ++calls;
        std::memset(name, 'N', *length);
        return kLogSuccess;
    }
    long ReadEntry(const char* name, unsigned char* data, std::uint32_t* size) override {
        longestName = std::max(longestName, std::strlen(name));
        data[0] = 'v';
        *size = 1;
        return kLogSuccess;
    }
};

TEST(ErrorLogReport, EndlessLogStopsAtTheEntryLimitWithTerminatedNames) {
    EndlessLog log;
    const ErrorLogReport r = AssembleErrorLog(log);
    EXPECT_EQ(r.end, ErrorLogEnd::kEntryLimit);
    EXPECT_EQ(r.count, kErrorLogMaxEntries);
    EXPECT_EQ(log.calls, kErrorLogMaxEntries);
    EXPECT_EQ(log.longestName, kErrorLogNameCapacity - 1);
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(r.length, kErrorLogTextCapacity - 1);
}

}  // namespace
