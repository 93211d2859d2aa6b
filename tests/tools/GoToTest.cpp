// Go To: the three readings of the value, the range check and the extend option.
#include "tools/GoToTarget.h"

#include <gtest/gtest.h>

namespace {

SelectionState Caret(int64_t caret) { return {caret, false, 0, 0}; }

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

// Offsets past 4 GiB in both radixes, up to the 16 hexadecimal digits of
// 2^63 - 1; what cannot be an offset is refused with the same two messages
// as small values, and nothing wraps.
TEST(GoToTest, OffsetsAndMovesPastFourGiBInBothRadixes)
{
    constexpr int64_t kSize = 0x100000010;  // 4 GiB and 16 bytes
    constexpr int64_t kMax = INT64_MAX;
    struct Row {
        const char16_t* text;
        GoToMode mode;
        int64_t caret;
        int64_t fileSize;
        GoToStatus status;
        int64_t target;  // the caret after Ok
        int radix;       // 8 (the one passed in) when the text does not parse
    };
    const Row rows[] = {
        {u"0x100000005", GoToMode::Absolute, 0, kSize, GoToStatus::Ok, 0x100000005, 16},
        {u"4294967301", GoToMode::Absolute, 0, kSize, GoToStatus::Ok, 0x100000005, 10},
        {u"040000000005", GoToMode::Absolute, 0, kSize, GoToStatus::Ok, 0x100000005, 8},
        {u"0x100000010", GoToMode::Absolute, 0, kSize, GoToStatus::Ok, kSize, 16},
        {u"0x100000011", GoToMode::Absolute, 0, kSize, GoToStatus::OutOfRange, 0, 16},
        {u"0x7FFFFFFF", GoToMode::Absolute, 0, kSize, GoToStatus::Ok, 2147483647, 16},
        {u"2147483648", GoToMode::Absolute, 0, kSize, GoToStatus::Ok, 2147483648, 10},
        {u"0xFFFFFFFF", GoToMode::Ahead, 0x10, kSize, GoToStatus::Ok, 0x10000000F, 16},
        {u"+0x100000000", GoToMode::Ahead, 5, kSize, GoToStatus::Ok, 0x100000005, 16},
        {u"0x100000000", GoToMode::Back, 0x100000005, kSize, GoToStatus::Ok, 5, 16},
        {u"0x100000006", GoToMode::Back, 0x100000005, kSize, GoToStatus::OutOfRange, 0, 16},
        {u"-0x100000000", GoToMode::Back, 5, kSize, GoToStatus::Ok, 0x100000005, 16},
        {u"-4294967301", GoToMode::Ahead, 0x100000005, kSize, GoToStatus::Ok, 0, 10},
        {u"0x7FFFFFFFFFFFFFFF", GoToMode::Absolute, 0, kMax, GoToStatus::Ok, kMax, 16},
        {u"0x7FFFFFFFFFFFFFFF", GoToMode::Absolute, 0, kSize, GoToStatus::OutOfRange, 0, 16},
        {u"0x7FFFFFFFFFFFFFFF", GoToMode::Ahead, 1, kMax, GoToStatus::OutOfRange, 0, 16},
        {u"-0x7FFFFFFFFFFFFFFF", GoToMode::Back, 2, kMax, GoToStatus::OutOfRange, 0, 16},
        {u"0x8000000000000000", GoToMode::Absolute, 0, kMax, GoToStatus::OutOfRange, 0, 16},
        {u"-0x8000000000000000", GoToMode::Back, 0, kMax, GoToStatus::OutOfRange, 0, 16},
        {u"0x10000000000000000", GoToMode::Absolute, 0, kMax, GoToStatus::InvalidValue, 0, 8},
        {u"99999999999999999999", GoToMode::Absolute, 0, kMax, GoToStatus::InvalidValue, 0, 8},
    };
    for (const Row& row : rows) {
        const QString what = QString::fromUtf16(row.text);
        const GoToOutcome out = ComputeGoTo(row.text, 8, row.mode, false, Caret(row.caret), row.fileSize);
        EXPECT_EQ(out.status, row.status) << what.toStdString();
        EXPECT_EQ(out.radix, row.radix) << what.toStdString();
        if (row.status == GoToStatus::Ok) {
            EXPECT_EQ(out.caret, row.target) << what.toStdString();
            EXPECT_EQ(out.anchor, row.target) << what.toStdString();
        } else {
            EXPECT_EQ(out.caret, row.caret) << what.toStdString() << ": the caret stays";
            EXPECT_EQ(out.Message(), row.status == GoToStatus::OutOfRange ? GoToOutOfRangeText() : GoToInvalidValueText())
                << what.toStdString();
        }
    }
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
