#include "controls/accessible_rules.h"

#include "controls/control_math.h"

namespace accessible_rules {

ChangeAnswer OnValueChange(Throttle& throttle, std::uint32_t now) {
    // Unsigned subtraction: the tick count's wrap-around does not matter.
    if (throttle.pending) {
        if (now - throttle.pendingSince <= 2 * kValueEventGap) return {false, false, 0};
        throttle.pending = false;  // its timer never came: lost
    }
    const std::uint32_t since = now - throttle.lastFired;
    if (!throttle.everFired || since >= kValueEventGap) {
        throttle.lastFired = now;
        throttle.everFired = true;
        return {true, false, 0};
    }
    throttle.pending = true;
    throttle.pendingSince = now;
    return {false, true, kValueEventGap - since};
}

bool OnTimerDue(Throttle& throttle, std::uint32_t now) {
    if (!throttle.pending) return false;
    throttle.pending = false;
    throttle.lastFired = now;
    throttle.everFired = true;
    return true;
}

Record* Find(Table& table, const void* key) {
    for (int i = 0; i < table.count; ++i)
        if (table.records[i].key == key) return &table.records[i];
    return nullptr;
}

Record* FindOrAdd(Table& table, const void* key, const Memory& memory) {
    if (Record* found = Find(table, key)) return found;
    if (table.count == table.capacity) {
        const int capacity = table.capacity ? table.capacity * 2 : 16;
        auto* grown = static_cast<Record*>(memory.alloc(sizeof(Record) * static_cast<std::size_t>(capacity)));
        if (!grown) return nullptr;
        for (int i = 0; i < table.count; ++i) grown[i] = table.records[i];
        if (table.records) memory.release(table.records);
        table.records = grown;
        table.capacity = capacity;
    }
    Record& record = table.records[table.count++];
    record = Record{};
    record.key = key;
    if (++table.lastGeneration == 0) ++table.lastGeneration;  // 0 is never one
    record.generation = table.lastGeneration;
    return &record;
}

Record* Renew(Table& table, const void* key, const Memory& memory) {
    Remove(table, key, memory);
    return FindOrAdd(table, key, memory);
}

bool IsCurrent(Table& table, const void* key, std::uint32_t generation) {
    const Record* record = Find(table, key);
    return record && record->generation == generation;
}

bool AnyOfThread(const Table& table, std::uint32_t thread) {
    for (int i = 0; i < table.count; ++i)
        if (table.records[i].thread == thread) return true;
    return false;
}

bool SetName(Table& table, const void* key, const char* name, const Memory& memory) {
    char* copy = nullptr;
    if (name && *name) {
        std::size_t length = 0;
        while (name[length]) ++length;
        copy = static_cast<char*>(memory.alloc(length + 1));
        if (!copy) return false;
        for (std::size_t i = 0; i <= length; ++i) copy[i] = name[i];
    }
    Record* record = copy ? FindOrAdd(table, key, memory) : Find(table, key);
    if (!record) {
        if (copy) memory.release(copy);
        return !copy;
    }
    if (record->name) memory.release(record->name);
    record->name = copy;
    return true;
}

const char* NameOf(Table& table, const void* key) {
    const Record* record = Find(table, key);
    return record ? record->name : nullptr;
}

void Remove(Table& table, const void* key, const Memory& memory) {
    Record* record = Find(table, key);
    if (!record) return;
    if (record->name) memory.release(record->name);
    *record = table.records[--table.count];
}

void Clear(Table& table, const Memory& memory) {
    for (int i = 0; i < table.count; ++i)
        if (table.records[i].name) memory.release(table.records[i].name);
    if (table.records) memory.release(table.records);
    table = Table{};
}

std::uint32_t TextHash(const char* text) {
    std::uint32_t hash = 2166136261u;
    for (const char* p = text ? text : ""; *p; ++p) {
        hash ^= static_cast<unsigned char>(*p);
        hash *= 16777619u;
    }
    return hash;
}

std::size_t WholeCharacters(const char* text, std::size_t length, bool (*isLead)(unsigned char)) {
    std::size_t i = 0;
    while (i < length) {
        const std::size_t step = isLead(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + step > length) break;
        i += step;
    }
    return i;
}

std::size_t ItemOfCount(char* out, std::int32_t pos, std::int32_t count) {
    // The item in 64 bits: pos + 1 of the largest position is past 32 bits.
    const std::int64_t item = static_cast<std::int64_t>(pos) + 1;
    std::size_t n = control_math::WriteDecimal(out, static_cast<std::uint32_t>(item < 0 ? -item : item), item < 0);
    const char of[] = " of ";
    for (std::size_t i = 0; of[i]; ++i) out[n++] = of[i];
    return n + control_math::WriteDecimal(out + n, count);
}

}  // namespace accessible_rules
