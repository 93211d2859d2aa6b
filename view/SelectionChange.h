#pragma once
// Which bytes change their selected state when a selection is replaced by
// another, so that only those rows are repainted (a drag-select that grows by
// one row repaints one row, however long the selection is).
#include <cstdint>
#include <optional>

struct OffsetRange {
    int64_t start = 0;  // first offset
    int64_t end = 0;    // just past the last offset
    bool operator==(const OffsetRange&) const = default;
};

struct SelectionSpan {
    bool has = false;
    int64_t start = 0;
    int64_t end = 0;
};

// The smallest range covering every byte selected in one state and not in
// the other; nothing when the two select the same bytes.
std::optional<OffsetRange> ChangedSelectionRange(const SelectionSpan& before, const SelectionSpan& after);
