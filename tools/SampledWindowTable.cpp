#include "SampledWindowTable.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <new>

#include <sys/mman.h>

namespace {

// Small enough that a short difference never pays for clearing a large
// array; the table doubles from there.
constexpr size_t INITIAL_SLOTS = 256;
// The slot is taken from the 32-bit tag.
constexpr size_t MAX_SLOTS = size_t(1) << 32;
// Look-ups land anywhere in a table of many megabytes: with pages of 4 KiB
// nearly every one would also miss the address translation cache, so large
// tables ask the kernel for huge pages.
constexpr size_t HUGE_PAGE = size_t(2) << 20;

} // namespace

SampledWindowTable::SampledWindowTable(TableBudget& budget) : budget_(budget) { Grow(INITIAL_SLOTS); }

SampledWindowTable::~SampledWindowTable() { budget_.used -= charged_; }

void SampledWindowTable::Add(uint64_t hash, int64_t offset)
{
    if (offset < 0 || offset >= int64_t(EMPTY))
        throw std::bad_alloc();
    // At most three quarters full: a look-up that finds nothing then reads
    // a few more slots, mostly in the same cache line, while the peak of
    // growing (old and new array at once) stays under 8 bytes a window
    // position when an eighth of the positions are stored.
    if (4 * (count_ + 1) > 3 * (mask_ + 1))
        Grow(2 * (mask_ + 1));
    Place(Slot{Tag(hash), uint32_t(offset)});
    ++count_;
}

void SampledWindowTable::Place(Slot entry)
{
    size_t slot = Home(entry.tag);
    while (slots_[slot].offset != EMPTY)
        slot = (slot + 1) & mask_;
    slots_[slot] = entry;
}

void SampledWindowTable::Grow(size_t capacity)
{
    if (capacity > MAX_SLOTS)
        throw std::bad_alloc();
    const size_t bytes = capacity * sizeof(Slot);
    Charge(bytes);
    SlotArray table = Allocate(capacity);
    if (!table) {
        budget_.used -= bytes;
        charged_ -= bytes;
        throw std::bad_alloc();
    }
    std::fill_n(table.get(), capacity, Slot{0, EMPTY});
    std::swap(table, slots_);
    const size_t oldCapacity = table ? mask_ + 1 : 0;
    mask_ = capacity - 1;
    shift_ = 32 - std::countr_zero(capacity);
    for (size_t i = 0; i < oldCapacity; ++i)
        if (table[i].offset != EMPTY)
            Place(table[i]);
    budget_.used -= oldCapacity * sizeof(Slot);
    charged_ -= oldCapacity * sizeof(Slot);
}

void SampledWindowTable::Charge(size_t bytes)
{
    if (bytes > budget_.limit - std::min(budget_.used, budget_.limit))
        throw std::bad_alloc();
    budget_.used += bytes;
    charged_ += bytes;
    budget_.peak = std::max(budget_.peak, budget_.used);
}

SampledWindowTable::SlotArray SampledWindowTable::Allocate(size_t capacity)
{
    const size_t bytes = capacity * sizeof(Slot);
    if (bytes < HUGE_PAGE)
        return SlotArray(static_cast<Slot*>(std::malloc(bytes)));
    void* memory = std::aligned_alloc(HUGE_PAGE, bytes);
    if (memory)
        madvise(memory, bytes, MADV_HUGEPAGE);
    return SlotArray(static_cast<Slot*>(memory));
}

void SampledWindowTable::FreeSlots::operator()(Slot* memory) const { std::free(memory); }
