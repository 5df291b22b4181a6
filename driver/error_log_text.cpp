#include "driver/error_log_text.h"

#include <cstring>

namespace {

// Appends `n` bytes to the report text, keeping what fits before the terminator.
void Append(ErrorLogReport& report, const char* bytes, std::size_t n) {
    const std::size_t room = kErrorLogTextCapacity - 1 - report.length;
    if (n > room) {
        n = room;
        report.truncated = true;
    }
    std::memcpy(report.text + report.length, bytes, n);
    report.length += n;
    report.text[report.length] = '\0';
}

// The text of a value: its bytes up to the first zero or the end of the `size` bytes read,
// `size` taken at most `capacity` (the buffer's size).
std::size_t ValueTextLength(const unsigned char* data, std::uint32_t size,
                            std::uint32_t capacity) {
    const std::size_t n = size < capacity ? size : capacity;
    const void* zero = std::memchr(data, 0, n);
    return zero ? static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - data) : n;
}

}  // namespace

ErrorLogReport AssembleErrorLog(ErrorLogReader& reader) {
    ErrorLogReport report;
    std::uint32_t failuresInARow = 0;
    for (;;) {
        if (report.count >= kErrorLogMaxEntries) {
            report.end = ErrorLogEnd::kEntryLimit;
            break;
        }
        // Both capacities are given afresh on every call: the reader overwrites them.
        char name[kErrorLogNameCapacity] = {};
        std::uint32_t nameLength = kErrorLogNameCapacity;
        const long enumerated = reader.EnumEntry(report.count, name, &nameLength);
        if (enumerated == kLogNoMoreItems) {
            report.end = ErrorLogEnd::kNoMoreItems;
            break;
        }
        ++report.count;
        if (enumerated != kLogSuccess) {
            if (++failuresInARow >= kErrorLogMaxConsecutiveFailures) {
                report.end = ErrorLogEnd::kFailuresInARow;
                break;
            }
            continue;
        }
        failuresInARow = 0;
        name[kErrorLogNameCapacity - 1] = '\0';

        unsigned char value[kErrorLogValueCapacity] = {};
        std::uint32_t size = kErrorLogValueCapacity;
        if (reader.ReadEntry(name, value, &size) != kLogSuccess) continue;
        Append(report, "\n\n", 2);
        Append(report, reinterpret_cast<const char*>(value),
               ValueTextLength(value, size, kErrorLogValueCapacity));
    }
    return report;
}
