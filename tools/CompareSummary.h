#pragma once
// What a finished comparison amounts to: how many differences, how many
// bytes differ where both files have bytes, and how many bytes only one of
// the files has (the longer side of each difference beyond the shorter).
#include "tools/FileCompare.h"

#include <QString>
#include <cstdint>
#include <vector>

struct CompareSummary {
    int64_t differences = 0;
    int64_t bytesDiffering = 0;
    int64_t onlyInFirst = 0;
    int64_t onlyInSecond = 0;

    bool operator==(const CompareSummary&) const = default;
};

CompareSummary SummarizeDifferences(const std::vector<CompareDifference>& differences);
// "3 differences: 12 bytes differ, 5 bytes only in file 1, 0 bytes only in file 2",
// with grouped digits and "1 difference", "1 byte differs".
QString CompareSummaryText(const CompareSummary& summary);
