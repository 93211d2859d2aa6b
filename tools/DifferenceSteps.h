#pragma once
// Stepping through a comparison's differences from a caret in either file.
// The differences stand in ascending order in both files, so the one to go
// to is found by bisection on the file the caret is in.
#include "tools/FileCompare.h"

#include <cstdint>
#include <optional>
#include <vector>

// The first difference that starts at or after the caret in file (1 or 2);
// none when every known difference lies before it.
std::optional<size_t> NextDifferenceFrom(const std::vector<CompareDifference>& differences, int file,
                                         int64_t caret);
// The last difference that starts before the caret in file; none when the
// caret is at or before the first one.
std::optional<size_t> PreviousDifferenceFrom(const std::vector<CompareDifference>& differences, int file,
                                             int64_t caret);
