// A finished comparison's summary and the steps from a caret to the next or
// previous difference, against a plain linear scan of the same list.
#include "tools/CompareSummary.h"
#include "tools/DifferenceSteps.h"

#include <gtest/gtest.h>

namespace {

// Differences ascend in both files; file 1 has five bytes fewer after the
// second (an insertion in file 2) and the last runs to the end of file 1.
const std::vector<CompareDifference> kDifferences = {
    {0x10, 0x10, 1, 1}, {0x40, 0x40, 0, 5}, {0x80, 0x85, 3, 3}, {0x100, 0x105, 7, 2}};

int64_t StartIn(const CompareDifference& d, int file) { return file == 1 ? d.offset1 : d.offset2; }

std::optional<size_t> LinearNext(int file, int64_t caret)
{
    for (size_t i = 0; i < kDifferences.size(); ++i)
        if (StartIn(kDifferences[i], file) >= caret)
            return i;
    return std::nullopt;
}

std::optional<size_t> LinearPrevious(int file, int64_t caret)
{
    std::optional<size_t> found;
    for (size_t i = 0; i < kDifferences.size(); ++i)
        if (StartIn(kDifferences[i], file) < caret)
            found = i;
    return found;
}

} // namespace

TEST(CompareSteps, NextAndPreviousAgreeWithALinearScanFromEveryCaret)
{
    for (int file : {1, 2})
        for (int64_t caret = 0; caret <= 0x120; ++caret) {
            SCOPED_TRACE(testing::Message() << "file " << file << " caret " << caret);
            EXPECT_EQ(NextDifferenceFrom(kDifferences, file, caret), LinearNext(file, caret));
            EXPECT_EQ(PreviousDifferenceFrom(kDifferences, file, caret), LinearPrevious(file, caret));
        }
    EXPECT_EQ(NextDifferenceFrom({}, 1, 0), std::nullopt);
    EXPECT_EQ(PreviousDifferenceFrom({}, 2, 100), std::nullopt);
}

TEST(CompareSteps, SummaryCountsDifferingBytesAndEachFilesOwnBytes)
{
    const struct {
        std::vector<CompareDifference> differences;
        CompareSummary summary;
        const char* text;
    } cases[] = {
        {{}, {0, 0, 0, 0}, "0 differences: 0 bytes differ, 0 bytes only in file 1, 0 bytes only in file 2"},
        {{{5, 5, 1, 1}}, {1, 1, 0, 0}, "1 difference: 1 byte differs, 0 bytes only in file 1, 0 bytes only in file 2"},
        {kDifferences, {4, 6, 5, 5}, "4 differences: 6 bytes differ, 5 bytes only in file 1, 5 bytes only in file 2"},
        {{{0, 0, 1500000, 0}, {1500000, 0, 0, 2500}},
         {2, 0, 1500000, 2500},
         "2 differences: 0 bytes differ, 1,500,000 bytes only in file 1, 2,500 bytes only in file 2"},
    };
    for (const auto& c : cases) {
        const CompareSummary summary = SummarizeDifferences(c.differences);
        EXPECT_EQ(summary, c.summary);
        EXPECT_EQ(CompareSummaryText(summary), QString::fromLatin1(c.text));
    }
}
