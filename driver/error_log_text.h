// The driver's error log report without the platform: walks the log's entries through a
// reader and gathers their messages into one text of bounded size. The registry binding and
// the message box live in error_log_win32.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

// Where the driver keeps its log (under HKEY_LOCAL_MACHINE), and the report box's caption.
constexpr char kErrorLogKeyPath[] =
    "System\\CurrentControlSet\\Control\\MediaResources\\Qorin\\VxdLog";
constexpr char kErrorLogCaption[] = "Korvane - Driver Error";

// The registry results the walk tells apart (their Win32 values); any other value is a failure.
constexpr long kLogSuccess = 0;        // ERROR_SUCCESS
constexpr long kLogMoreData = 234;     // ERROR_MORE_DATA
constexpr long kLogNoMoreItems = 259;  // ERROR_NO_MORE_ITEMS

// Working buffers: the report text (terminator included), an entry's name (characters,
// terminator included) and an entry's value (bytes).
constexpr std::size_t kErrorLogTextCapacity = 256;
constexpr std::uint32_t kErrorLogNameCapacity = 256;
constexpr std::uint32_t kErrorLogValueCapacity = 256;

// Bounds on a walk that never hears "no more items". A failing enumeration of one index
// (a name that does not fit) is skipped and the walk goes on; a log key that has gone away
// or become unreadable fails every index alike, so this many failures in a row end the walk.
constexpr std::uint32_t kErrorLogMaxConsecutiveFailures = 16;
// No log holds this many entries; the text is full long before.
constexpr std::uint32_t kErrorLogMaxEntries = 65536;

// The log as the walk sees it. Results are registry codes (kLogSuccess, ...). Never deleted
// through this interface (its destructor is protected and not virtual, so the product needs
// no deleting destructor and no operator delete).
class ErrorLogReader {
public:
    // Writes the name of the entry at `index` to `name`. `*length`: in, the capacity in
    // characters including the terminator; out, the name's length without it.
    virtual long EnumEntry(std::uint32_t index, char* name, std::uint32_t* length) = 0;
    // Reads the message of the entry `name`: the value named `name` inside the entry.
    // `*size`: in, the capacity of `data` in bytes; out, the bytes stored (or, with
    // kLogMoreData, the bytes the value needs).
    virtual long ReadEntry(const char* name, unsigned char* data, std::uint32_t* size) = 0;

protected:
    ~ErrorLogReader() = default;
};

// Why the walk ended.
enum class ErrorLogEnd {
    kNoMoreItems,       // the reader said so
    kFailuresInARow,    // kErrorLogMaxConsecutiveFailures enumerations failed in a row
    kEntryLimit,        // kErrorLogMaxEntries indexes were enumerated
};

struct ErrorLogReport {
    char text[kErrorLogTextCapacity] = {};  // always terminated; starts empty
    std::size_t length = 0;                 // of text, without the terminator
    std::uint32_t count = 0;                // indexes enumerated, failed ones included
    bool truncated = false;                 // some message did not fit in the text
    ErrorLogEnd end = ErrorLogEnd::kNoMoreItems;

    // The report shows a box when at least one index was enumerated.
    bool ShowsBox() const { return count >= 1; }
};

// Walks the log from index 0: every enumerated index counts; every entry whose message can
// be read adds two line feeds and the message's text. A message's text is its bytes up to
// the first zero byte or the end of the bytes read, whatever the value's type. The report
// text keeps what fits in its capacity and drops the rest.
ErrorLogReport AssembleErrorLog(ErrorLogReader& reader);
