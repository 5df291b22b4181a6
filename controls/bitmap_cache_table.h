// The bitmap cache's table: 256 named entries, filled from the start, never emptied singly.
// Platform-free: the loader, the "not found" reporter and the deleter are handed in, so the
// rules are tested natively and the toolkit binds them to LoadBitmapA, the message box and
// DeleteObject.
#pragma once

#include <cstddef>

namespace bitmap_cache {

constexpr int kEntryCount = 256;
constexpr int kNameBytes = 32;  // 31 characters and the terminator

using Handle = void*;  // an opaque bitmap handle; null marks a free entry

struct Entry {
    char name[kNameBytes];  // name the bitmap was requested under; empty if never used
    Handle bitmap;          // loaded bitmap; null means the entry is free
};

struct Table {
    Entry entries[kEntryCount];
};

// What a lookup may call. load returns null when the resource is missing; report is told the
// name of every request that yields null through a failed or refused load.
struct Ops {
    Handle (*load)(void* context, const char* name);
    void (*report)(void* context, const char* name);
    void* context;
};

// True when the name fits an entry (at most 31 characters).
bool FitsEntry(const char* name);

// The lookup: the first entry of equal name answers (its bitmap may be null after a failed
// load); otherwise the name is loaded into the first free entry. A name that cannot be
// recorded (too long, or every entry holds a bitmap) is not loaded at all: it is reported and
// yields null, so no bitmap ever escapes the table's ownership.
Handle Lookup(Table& table, const char* name, const Ops& ops);

// Empties the whole table: for each entry in order, release(bitmap) (also when null), then the
// entry is cleared.
void Clear(Table& table, void (*release)(void* context, Handle bitmap), void* context);

// Number of entries holding a bitmap.
int CountLoaded(const Table& table);

// Integer resource identifiers are recorded under the resource compiler's own spelling of
// them, "#129", which the resource loader also understands. Writes at most kNameBytes bytes.
void IdToName(unsigned id, char (&out)[kNameBytes]);

// The way back: "#" and decimal digits up to 65535 name an integer identifier. Anything else
// ("#abc", "#70000", "#", "#-1") is a name.
bool ParseIntegerId(const char* name, unsigned* id);

}  // namespace bitmap_cache
