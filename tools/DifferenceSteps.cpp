#include "DifferenceSteps.h"

#include <algorithm>

namespace {

int64_t StartIn(const CompareDifference& d, int file) { return file == 1 ? d.offset1 : d.offset2; }

// Index of the first difference starting at or after caret.
size_t FirstAtOrAfter(const std::vector<CompareDifference>& differences, int file, int64_t caret)
{
    const auto it = std::partition_point(differences.begin(), differences.end(),
                                         [&](const CompareDifference& d) { return StartIn(d, file) < caret; });
    return size_t(it - differences.begin());
}

} // namespace

std::optional<size_t> NextDifferenceFrom(const std::vector<CompareDifference>& differences, int file, int64_t caret)
{
    const size_t i = FirstAtOrAfter(differences, file, caret);
    return i < differences.size() ? std::optional<size_t>(i) : std::nullopt;
}

std::optional<size_t> PreviousDifferenceFrom(const std::vector<CompareDifference>& differences, int file,
                                             int64_t caret)
{
    const size_t i = FirstAtOrAfter(differences, file, caret);
    return i > 0 ? std::optional<size_t>(i - 1) : std::nullopt;
}
