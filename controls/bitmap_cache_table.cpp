#include "controls/bitmap_cache_table.h"

#include "controls/control_math.h"

#include <cstring>

namespace bitmap_cache {

bool FitsEntry(const char* name) {
    return std::strlen(name) < static_cast<std::size_t>(kNameBytes);
}

Handle Lookup(Table& table, const char* name, const Ops& ops) {
    for (Entry& e : table.entries) {
        if (std::strcmp(e.name, name) == 0) return e.bitmap;
    }
    Entry* freeEntry = nullptr;
    for (Entry& e : table.entries) {
        if (e.bitmap == nullptr) {
            freeEntry = &e;
            break;
        }
    }
    if (freeEntry == nullptr || !FitsEntry(name)) {
        ops.report(ops.context, name);
        return nullptr;
    }
    // The entry is recorded before the report: the report may run a nested message loop in
    // which another request takes the first free entry, and that must not be this one.
    Handle loaded = ops.load(ops.context, name);
    std::memcpy(freeEntry->name, name, std::strlen(name) + 1);
    freeEntry->bitmap = loaded;
    if (loaded == nullptr) ops.report(ops.context, name);
    return loaded;
}

void Clear(Table& table, void (*release)(void* context, Handle bitmap), void* context) {
    for (Entry& e : table.entries) {
        release(context, e.bitmap);
        e.bitmap = nullptr;
        e.name[0] = '\0';
    }
}

int CountLoaded(const Table& table) {
    int n = 0;
    for (const Entry& e : table.entries) n += e.bitmap != nullptr;
    return n;
}

void IdToName(unsigned id, char (&out)[kNameBytes]) {
    out[0] = '#';
    control_math::WriteDecimal(out + 1, static_cast<std::uint32_t>(id));
}

bool ParseIntegerId(const char* name, unsigned* id) {
    if (name[0] != '#' || name[1] == '\0') return false;
    unsigned value = 0;
    for (const char* p = name + 1; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + static_cast<unsigned>(*p - '0');
        if (value > 0xFFFF) return false;
    }
    *id = value;
    return true;
}

}  // namespace bitmap_cache
