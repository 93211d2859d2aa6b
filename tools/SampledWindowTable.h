#pragma once
// The resynchronisation's index of one file's sampled windows: a flat
// open-addressing table of (tag, offset) pairs, 8 bytes a slot, where equal
// hashes may be stored more than once (the caller decides what is a
// duplicate). Offsets are relative to the file's cursor, so a slot's 32 bits
// hold them for the first 4 GiB of a resynchronisation; the few stored
// further on are kept whole beside the slots. Every byte it allocates is
// charged to the budget before it is allocated, and given back when the
// table goes.
#include "tools/CompareResync.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>

class SampledWindowTable {
public:
    // pause is called every megabyte or so while a large table grows, which
    // then takes long enough for the user to want to stop it: it may throw,
    // which leaves the table as it was before the growth.
    explicit SampledWindowTable(TableBudget& budget, std::function<void()> pause = {});
    ~SampledWindowTable();
    SampledWindowTable(const SampledWindowTable&) = delete;
    SampledWindowTable& operator=(const SampledWindowTable&) = delete;

    // Throws std::bad_alloc when the budget or the heap is exhausted, or
    // when the offset is negative.
    void Add(uint64_t hash, int64_t offset);

    // Calls visit(offset) for every stored offset whose hash may equal this
    // one (equal tags; the caller compares the bytes) until visit returns true.
    template <typename Visit>
    void ForEach(uint64_t hash, Visit visit) const
    {
        const uint32_t tag = Tag(hash);
        for (size_t slot = Home(tag);; slot = (slot + 1) & mask_) {
            const Slot& entry = slots_[slot];
            if (entry.offset == EMPTY)
                break;
            if (entry.tag == tag && visit(int64_t(entry.offset)))
                return;
        }
        if (far_.empty())
            return;
        for (auto [at, end] = far_.equal_range(tag); at != end; ++at)
            if (visit(at->second))
                return;
    }

    // Brings the first slot of a later look-up or store into the cache ahead of time.
    void Prefetch(uint64_t hash) const { __builtin_prefetch(&slots_[Home(Tag(hash))]); }

    size_t Count() const { return count_ + far_.size(); }

private:
    struct Slot {
        uint32_t tag;
        uint32_t offset;
    };
    static constexpr uint32_t EMPTY = UINT32_MAX;

    // The rolling hash's low bits are weak; mixing spreads every bit of it
    // over the tag.
    static uint32_t Tag(uint64_t h)
    {
        h ^= h >> 30;
        h *= 0xbf58476d1ce4e5b9ULL;
        h ^= h >> 27;
        h *= 0x94d049bb133111ebULL;
        return uint32_t((h ^ (h >> 31)) >> 32);
    }
    // The slot comes from the tag's top bits, so that growing can place
    // every entry again from what the slot holds.
    size_t Home(uint32_t tag) const { return size_t(tag) >> shift_; }
    static size_t Home(uint32_t tag, int shift) { return size_t(tag) >> shift; }

    // Small arrays come from the heap, large ones straight from the system
    // on huge pages; the size tells which.
    struct FreeSlots {
        size_t bytes;
        void operator()(Slot* memory) const;
    };
    using SlotArray = std::unique_ptr<Slot[], FreeSlots>;
    static SlotArray Allocate(size_t capacity);

    void Grow(size_t capacity);
    void AddFar(uint32_t tag, int64_t offset);
    void Fill(Slot* array, size_t capacity) const;
    static void Place(Slot* array, size_t mask, int shift, Slot entry);
    void Charge(size_t bytes);
    void Release(size_t bytes);

    TableBudget& budget_;
    std::function<void()> pause_;
    SlotArray slots_;
    size_t mask_ = 0;
    int shift_ = 32;
    size_t count_ = 0;
    size_t charged_ = 0;
    // Offsets from EMPTY on, by tag. A resynchronisation only stores there
    // after running on past 4 GiB, where look-ups are rare enough for a map.
    std::unordered_multimap<uint32_t, int64_t> far_;
};
