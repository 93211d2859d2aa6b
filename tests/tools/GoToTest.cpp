// Go To: the three readings of the value, the range check and the extend option.
#include "tools/GoToTarget.h"

#include <gtest/gtest.h>

namespace {

SelectionState Caret(int32_t caret) { return {caret, false, 0, 0}; }

TEST(GoToTest, AbsoluteAheadAndBackFromTheCaret)
{
    EXPECT_EQ(ComputeGoTo(u"0x10", 10, GoToMode::Absolute, false, Caret(5), 100).caret, 16);
    EXPECT_EQ(ComputeGoTo(u"10", 16, GoToMode::Ahead, false, Caret(5), 100).caret, 15);
    EXPECT_EQ(ComputeGoTo(u"010", 16, GoToMode::Back, false, Caret(9), 100).caret, 1);
    const GoToOutcome plain = ComputeGoTo(u"7", 16, GoToMode::Absolute, false, Caret(5), 100);
    EXPECT_EQ(plain.anchor, 7) << "without extending the selection collapses at the target";
    EXPECT_EQ(plain.radix, 10);
}

TEST(GoToTest, TheFileSizeIsReachableAndAnythingBeyondIsNot)
{
    EXPECT_TRUE(ComputeGoTo(u"100", 16, GoToMode::Absolute, false, Caret(0), 100).Ok());
    const GoToOutcome past = ComputeGoTo(u"101", 16, GoToMode::Absolute, false, Caret(0), 100);
    EXPECT_EQ(past.status, GoToStatus::OutOfRange);
    EXPECT_EQ(past.Message(), QStringLiteral("Invalid file offset specified. The target offset must be within the "
                                             "range of the existing file."));
    EXPECT_EQ(ComputeGoTo(u"6", 16, GoToMode::Back, false, Caret(5), 100).status, GoToStatus::OutOfRange)
        << "moving back past the start";
    EXPECT_EQ(ComputeGoTo(u"96", 16, GoToMode::Ahead, false, Caret(5), 100).status, GoToStatus::OutOfRange);
    EXPECT_EQ(ComputeGoTo(u"-1", 16, GoToMode::Absolute, false, Caret(5), 100).status, GoToStatus::OutOfRange);
    EXPECT_EQ(ComputeGoTo(u"0xFFFFFFFFFFFFFFFF", 16, GoToMode::Ahead, false, Caret(5), 100).status,
              GoToStatus::OutOfRange)
        << "a huge value does not wrap around to a small one";
    EXPECT_EQ(ComputeGoTo(u"-3", 16, GoToMode::Back, false, Caret(5), 100).caret, 8)
        << "a negative distance back is a distance ahead";
}

TEST(GoToTest, InvalidTextKeepsTheOldRadix)
{
    const GoToOutcome bad = ComputeGoTo(u"12z", 8, GoToMode::Absolute, false, Caret(5), 100);
    EXPECT_EQ(bad.status, GoToStatus::InvalidValue);
    EXPECT_EQ(bad.radix, 8);
    EXPECT_EQ(bad.Message(),
              QStringLiteral("The value you have entered is not valid. Please enter a valid integer value."));
    EXPECT_EQ(ComputeGoTo(u"", 8, GoToMode::Absolute, false, Caret(5), 100).status, GoToStatus::InvalidValue);
}

TEST(GoToTest, ExtendingKeepsTheAnchorOppositeTheCaret)
{
    // Selection 10..20 with the caret at 20: the anchor is 10.
    const SelectionState selection{20, true, 10, 20};
    const GoToOutcome out = ComputeGoTo(u"30", 16, GoToMode::Absolute, true, selection, 100);
    EXPECT_EQ(out.caret, 30);
    EXPECT_EQ(out.anchor, 10);
    const SelectionState reversed{10, true, 10, 20};
    EXPECT_EQ(ComputeGoTo(u"0", 16, GoToMode::Absolute, true, reversed, 100).anchor, 20);
    EXPECT_EQ(ComputeGoTo(u"0", 16, GoToMode::Absolute, true, Caret(7), 100).anchor, 7);
}

} // namespace
