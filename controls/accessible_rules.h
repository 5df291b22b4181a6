// The platform-free half of the controls' accessible objects: the table that keeps, per
// control, the name its creator gave, what was last reported to screen readers and which
// control its objects were made for; the rule that throttles value-change events; the texts.
#pragma once

#include <cstddef>
#include <cstdint>

namespace accessible_rules {

// Value-change events of one control: at most one per kValueEventGap milliseconds while the
// value keeps changing, and the last value always follows.
constexpr std::uint32_t kValueEventGap = 1000;

struct Throttle {
    std::uint32_t lastFired;     // tick count of the last event fired
    std::uint32_t pendingSince;  // tick count of the change that armed the deferred event
    bool everFired;              // false until the first event
    bool pending;                // a change waits for the deferred event
};

// What a change at tick now asks for: fire at once, or (the first time within the gap) arm a
// one-shot timer of delay milliseconds; neither while a deferred event is pending already. A
// deferred event still pending more than twice the gap after it was armed is taken as lost (a
// host's loop may remove the timer's message without dispatching it): the change fires at
// once, and the caller kills the old timer whenever it fires now.
struct ChangeAnswer {
    bool fireNow;
    bool armTimer;
    std::uint32_t delay;
};
ChangeAnswer OnValueChange(Throttle& throttle, std::uint32_t now);
// The deferred event's timer at tick now: true when the event is to be fired now.
bool OnTimerDue(Throttle& throttle, std::uint32_t now);

// Where the table's memory comes from (the process heap in the product).
struct Memory {
    void* (*alloc)(std::size_t bytes);  // null when refused
    void (*release)(void* block);
};

// One control's record, keyed by its window handle.
struct Record {
    const void* key;
    std::uint32_t generation; // told apart from every earlier record of the same key
    std::uint32_t thread;     // the thread the control belongs to
    char* name;               // the creator's name (a copy the table owns), or null
    std::uint32_t shownValue; // TextHash of the value last seen
    std::int32_t shownState;  // state bits last seen
    bool seen;                // false until the first look
    Throttle throttle;
};

struct Table {
    Record* records;
    int count;
    int capacity;
    std::uint32_t lastGeneration;  // the generation of the record added last
};

// The record of key, or null. A pointer stays valid until the next FindOrAdd, Renew or Remove.
Record* Find(Table& table, const void* key);
// The record of key, added (zero-filled, with the next generation) when missing; null when
// the memory was refused.
Record* FindOrAdd(Table& table, const void* key, const Memory& memory);
// A fresh record of key with the next generation, in place of any it had; null (and no record
// of key) when the memory was refused.
Record* Renew(Table& table, const void* key, const Memory& memory);
// True while key's record is the one of that generation.
bool IsCurrent(Table& table, const void* key, std::uint32_t generation);
// True while a record of thread is in the table.
bool AnyOfThread(const Table& table, std::uint32_t thread);
// Stores a copy of name (null or "" removes it); false when the memory was refused, with the
// record's name as it was.
bool SetName(Table& table, const void* key, const char* name, const Memory& memory);
// The name of key, or null.
const char* NameOf(Table& table, const void* key);
// Drops key's record and its name.
void Remove(Table& table, const void* key, const Memory& memory);
// Drops every record and the records' array.
void Clear(Table& table, const Memory& memory);

// A 32-bit hash (FNV-1a) of a NUL-terminated text; null hashes as "".
std::uint32_t TextHash(const char* text);

// The length of the longest start of text[0, length) that ends on a whole character: a
// double-byte character (a lead byte, isLead, and the byte after it) cut off after its lead
// byte is dropped. Read from the start, the only way a lead byte can be told from a trail.
std::size_t WholeCharacters(const char* text, std::size_t length, bool (*isLead)(unsigned char));

// The bitmap list's value, "item of count" with the item counted from 1 ("2 of 3"), at out
// (at most kItemOfCountBytes bytes); every 32-bit position has its item, the largest one too.
constexpr std::size_t kItemOfCountBytes = 28;  // "-2147483647 of -2147483648" and the NUL
std::size_t ItemOfCount(char* out, std::int32_t pos, std::int32_t count);

}  // namespace accessible_rules
