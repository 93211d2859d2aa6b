#include "DistinctValues.h"

#include <cstring>
#include <new>

uint64_t CDistinctValues::Hash(const uint8_t* value) const
{
    uint64_t hash = 0xcbf29ce484222325ull;  // FNV-1a
    for (int32_t i = 0; i < length_; ++i) {
        hash ^= value[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

void CDistinctValues::Rehash(size_t slotCount)
{
    std::vector<int32_t> slots(slotCount, 0);
    const size_t mask = slotCount - 1;
    for (int32_t index = 0; index < count_; ++index) {
        size_t slot = size_t(Hash(Value(index))) & mask;
        while (slots[slot] != 0)
            slot = (slot + 1) & mask;
        slots[slot] = index + 1;
    }
    slots_.swap(slots);
}

int32_t CDistinctValues::IndexOf(const uint8_t* value)
{
    if (slots_.empty())
        Rehash(16);
    const size_t mask = slots_.size() - 1;
    size_t slot = size_t(Hash(value)) & mask;
    for (; slots_[slot] != 0; slot = (slot + 1) & mask) {
        const int32_t index = slots_[slot] - 1;
        if (length_ == 0 || std::memcmp(Value(index), value, size_t(length_)) == 0)
            return index;
    }
    // The undo record numbers the strings in 32 bits: one more is refused as
    // memory running out would be, before anything changes.
    if (count_ == INT32_MAX)
        throw std::bad_alloc();
    // New: store it first, so a failed allocation leaves everything as it was.
    values_.insert(values_.end(), value, value + length_);
    const int32_t index = count_;
    slots_[slot] = index + 1;
    ++count_;
    if (size_t(count_) * 2 > slots_.size()) {
        try {
            Rehash(slots_.size() * 2);
        } catch (...) {
            slots_[slot] = 0;
            --count_;
            values_.resize(values_.size() - size_t(length_));
            throw;
        }
    }
    return index;
}
