#include "SampledWindowTable.h"

#include "platform/PageMemory.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <new>

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
// Slots cleared or placed again between two pauses of a growth: a megabyte.
constexpr size_t PAUSE_SLOTS = size_t(1) << 17;
// What an offset kept beside the slots is charged: its node in the map (32
// bytes from the heap) and its share of the buckets, doubled while they grow.
constexpr size_t FAR_ENTRY_BYTES = 64;

} // namespace

SampledWindowTable::SampledWindowTable(TableBudget& budget, std::function<void()> pause)
    : budget_(budget), pause_(std::move(pause))
{
    Grow(INITIAL_SLOTS);
}

SampledWindowTable::~SampledWindowTable() { budget_.used -= charged_; }

void SampledWindowTable::Add(uint64_t hash, int64_t offset)
{
    if (offset < 0)
        throw std::bad_alloc();
    if (offset >= int64_t(EMPTY)) {
        AddFar(Tag(hash), offset);
        return;
    }
    // At most three quarters full: a look-up that finds nothing then reads
    // a few more slots, mostly in the same cache line, while the peak of
    // growing (old and new array at once) stays under 8 bytes a window
    // position when an eighth of the positions are stored.
    if (4 * (count_ + 1) > 3 * (mask_ + 1))
        Grow(2 * (mask_ + 1));
    Place(slots_.get(), mask_, shift_, Slot{Tag(hash), uint32_t(offset)});
    ++count_;
}

void SampledWindowTable::AddFar(uint32_t tag, int64_t offset)
{
    Charge(FAR_ENTRY_BYTES);
    try {
        far_.emplace(tag, offset);
    } catch (...) {
        Release(FAR_ENTRY_BYTES);
        throw;
    }
}

void SampledWindowTable::Place(Slot* array, size_t mask, int shift, Slot entry)
{
    size_t slot = Home(entry.tag, shift);
    while (array[slot].offset != EMPTY)
        slot = (slot + 1) & mask;
    array[slot] = entry;
}

// Clearing is where a new array's pages are first touched, which costs the
// most of a growth.
void SampledWindowTable::Fill(Slot* array, size_t capacity) const
{
    for (size_t from = 0; from < capacity; from += PAUSE_SLOTS) {
        if (from > 0 && pause_)
            pause_();
        std::fill_n(array + from, std::min(PAUSE_SLOTS, capacity - from), Slot{0, EMPTY});
    }
}

// The new array is filled before it replaces the old one, and its charge is
// given back if that is abandoned, so a pause that throws changes nothing.
void SampledWindowTable::Grow(size_t capacity)
{
    if (capacity > MAX_SLOTS)
        throw std::bad_alloc();
    const size_t bytes = capacity * sizeof(Slot);
    Charge(bytes);
    try {
        SlotArray table = Allocate(capacity);
        if (!table)
            throw std::bad_alloc();
        Fill(table.get(), capacity);
        const int shift = 32 - std::countr_zero(capacity);
        const size_t oldCapacity = slots_ ? mask_ + 1 : 0;
        for (size_t i = 0; i < oldCapacity; ++i) {
            if (i % PAUSE_SLOTS == PAUSE_SLOTS - 1 && pause_)
                pause_();
            if (slots_[i].offset != EMPTY)
                Place(table.get(), capacity - 1, shift, slots_[i]);
        }
        slots_ = std::move(table);
        mask_ = capacity - 1;
        shift_ = shift;
        Release(oldCapacity * sizeof(Slot));
    } catch (...) {
        Release(bytes);
        throw;
    }
}

void SampledWindowTable::Release(size_t bytes)
{
    budget_.used -= bytes;
    charged_ -= bytes;
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
        return SlotArray(static_cast<Slot*>(std::malloc(bytes)), FreeSlots{bytes});
    return SlotArray(static_cast<Slot*>(platform::AllocateFilledPages(bytes)), FreeSlots{bytes});
}

void SampledWindowTable::FreeSlots::operator()(Slot* memory) const
{
    if (bytes < HUGE_PAGE)
        std::free(memory);
    else
        platform::FreePages(memory, bytes);
}
