#include "SelectionChange.h"

#include <algorithm>

std::optional<OffsetRange> ChangedSelectionRange(const SelectionSpan& before, const SelectionSpan& after)
{
    if (!before.has && !after.has)
        return std::nullopt;
    if (!before.has)
        return OffsetRange{after.start, after.end};
    if (!after.has)
        return OffsetRange{before.start, before.end};
    if (before.start == after.start && before.end == after.end)
        return std::nullopt;
    // Disjoint or overlapping with both ends moved: everything between.
    if (before.start != after.start && before.end != after.end)
        return OffsetRange{std::min(before.start, after.start), std::max(before.end, after.end)};
    if (before.start == after.start)
        return OffsetRange{std::min(before.end, after.end), std::max(before.end, after.end)};
    return OffsetRange{std::min(before.start, after.start), std::max(before.start, after.start)};
}
