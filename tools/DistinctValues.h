#pragma once
// The distinct byte strings a replace-all matched, each stored once in order
// of first appearance, laid end to end as the undo record wants them. Most
// runs see one string (or a few case variants), but a run without match case
// over varied text can see thousands, so lookup is hashed rather than a scan.
// Indexes are 32-bit as the undo record stores them; value lengths are those
// of a search pattern.
#include <cstddef>
#include <cstdint>
#include <vector>

class CDistinctValues {
public:
    explicit CDistinctValues(int32_t valueLength) : length_(valueLength) {}

    // The index of value (valueLength bytes), adding it when new. May throw
    // std::bad_alloc, leaving the collection as it was.
    int32_t IndexOf(const uint8_t* value);

    int32_t Count() const { return count_; }
    int32_t ValueLength() const { return length_; }
    const std::vector<uint8_t>& Values() const { return values_; }
    const uint8_t* Value(int32_t index) const { return values_.data() + size_t(index) * size_t(length_); }

private:
    uint64_t Hash(const uint8_t* value) const;
    void Rehash(size_t slotCount);

    int32_t length_;
    int32_t count_ = 0;
    std::vector<uint8_t> values_;
    std::vector<int32_t> slots_;  // open addressing: value index + 1, 0 for free
};
