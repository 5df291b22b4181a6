// The error log walk against a log whose every answer comes from the input: enumeration
// results, names (too long, unterminated, with zeros inside), read results, claimed sizes
// and value bytes. The sanitizers catch any access out of bounds; the checks below catch a
// text that differs from the messages read, an overlong text, or a walk that ends wrongly.
#include "driver/error_log_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr long kFileNotFound = 2;
constexpr long kKeyDeleted = 1018;

class InputLog : public ErrorLogReader {
public:
    InputLog(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::vector<long> enumResults;
    std::vector<std::uint32_t> enumIndexes;
    std::string messages;  // what the walk should have gathered, uncut

    long EnumEntry(std::uint32_t index, char* name, std::uint32_t* length) override {
        if (*length != kErrorLogNameCapacity) std::abort();
        enumIndexes.push_back(index);
        long result = kLogNoMoreItems;
        if (repeat_ > 0) {
            --repeat_;
            result = repeatResult_;
        } else if (pos_ < size_) {
            result = Enumerate(name, length);
        }
        enumResults.push_back(result);
        return result;
    }

    long ReadEntry(const char* name, unsigned char* data, std::uint32_t* size) override {
        if (*size != kErrorLogValueCapacity) std::abort();
        if (!std::memchr(name, 0, kErrorLogNameCapacity)) std::abort();  // unterminated
        switch (Next() % 4) {
            case 0: return kFileNotFound;
            case 1: *size = kErrorLogValueCapacity + 1 + Next(); return kLogMoreData;
            default: break;
        }
        const std::uint32_t claimed = Next() | static_cast<std::uint32_t>(Next()) << 8;
        const std::uint32_t stored = claimed < *size ? claimed : *size;
        for (std::uint32_t i = 0; i < stored; ++i) data[i] = Next();  // zeros once input ends
        std::size_t textLength = 0;
        while (textLength < stored && data[textLength] != 0) ++textLength;
        messages += "\n\n";
        messages.append(reinterpret_cast<const char*>(data), textLength);
        *size = claimed;
        return kLogSuccess;
    }

private:
    std::uint8_t Next() { return pos_ < size_ ? data_[pos_++] : 0; }

    long Enumerate(char* name, std::uint32_t* length) {
        const std::uint8_t kind = Next();
        switch (kind % 8) {
            case 0: return kLogNoMoreItems;
            case 1:
            case 2:  // a burst of up to 31 more failures alike, as from a key gone away
                repeat_ = kind >> 3;
                repeatResult_ = kind % 8 == 1 ? kLogMoreData : kKeyDeleted;
                return repeatResult_;
            case 3:  // an unterminated name filling the whole buffer
                std::memset(name, 'N', *length);
                return kLogSuccess;
            default: break;
        }
        const std::uint32_t n = Next() + (kind & 0x80 ? 64u : 0u);
        if (n + 1 > *length) {
            *length = n;
            return kLogMoreData;
        }
        for (std::uint32_t i = 0; i < n; ++i) name[i] = static_cast<char>(Next());
        name[n] = '\0';
        *length = n;
        return kLogSuccess;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    std::uint32_t repeat_ = 0;
    long repeatResult_ = kLogSuccess;
};

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    InputLog log(data, size);
    const ErrorLogReport r = AssembleErrorLog(log);

    // The text: terminated within its capacity, the gathered messages cut at that capacity.
    Check(r.length < kErrorLogTextCapacity);
    Check(std::memchr(r.text, 0, kErrorLogTextCapacity) == r.text + r.length);
    const std::string expected = log.messages.substr(0, kErrorLogTextCapacity - 1);
    Check(std::string(r.text, r.length) == expected);
    Check(r.truncated == (log.messages.size() > expected.size()));

    // The walk: indexes 0, 1, 2 ...; every call but a final "no more items" counts.
    const std::size_t calls = log.enumResults.size();
    Check(calls >= 1);
    for (std::size_t i = 0; i < calls; ++i) Check(log.enumIndexes[i] == i);
    const long last = log.enumResults.back();
    switch (r.end) {
        case ErrorLogEnd::kNoMoreItems:
            Check(last == kLogNoMoreItems && r.count == calls - 1);
            break;
        case ErrorLogEnd::kFailuresInARow:
            Check(r.count == calls && calls >= kErrorLogMaxConsecutiveFailures);
            for (std::size_t i = calls - kErrorLogMaxConsecutiveFailures; i < calls; ++i)
                Check(log.enumResults[i] != kLogSuccess &&
                      log.enumResults[i] != kLogNoMoreItems);
            break;
        case ErrorLogEnd::kEntryLimit:
            Check(r.count == kErrorLogMaxEntries && calls == kErrorLogMaxEntries);
            break;
    }
    // No run of failures as long as the limit before the end.
    std::uint32_t run = 0;
    for (std::size_t i = 0; i + 1 < calls; ++i) {
        run = log.enumResults[i] == kLogSuccess ? 0 : run + 1;
        Check(run < kErrorLogMaxConsecutiveFailures);
    }
    return 0;
}
