// The key table of the caret, without a window: every key with and without
// Shift and Ctrl, from a plain caret, from a selection, and from a caret
// shown at the end of a row.
#include "view/CaretMoves.h"

#include <gtest/gtest.h>

namespace {

CaretContext At(int32_t caret, int32_t size = 1000, int groupSize = 1)
{
    CaretContext c;
    c.caret = caret;
    c.size = size;
    c.bytesPerRow = 16;
    c.groupSize = groupSize;
    c.rowsInWindow = 10;
    return c;
}

CaretContext Selected(int32_t start, int32_t end, int32_t caret)
{
    CaretContext c = At(caret);
    c.hasSelection = true;
    c.selStart = start;
    c.selEnd = end;
    return c;
}

int64_t Target(CaretKey key, const CaretContext& c, bool shift = false, bool ctrl = false)
{
    const CaretMove move = ComputeCaretMove(key, shift, ctrl, c);
    EXPECT_TRUE(move.moveCaret);
    return move.target;
}

} // namespace

TEST(CaretMoves, ArrowsStepOneByteOrOneRow)
{
    EXPECT_EQ(Target(CaretKey::Left, At(40)), 39);
    EXPECT_EQ(Target(CaretKey::Right, At(40)), 41);
    EXPECT_EQ(Target(CaretKey::Up, At(40)), 24);
    EXPECT_EQ(Target(CaretKey::Down, At(40)), 56);
    // Past either end the target leaves the file; SetCaret clamps it.
    EXPECT_EQ(Target(CaretKey::Left, At(0)), -1);
    EXPECT_EQ(Target(CaretKey::Up, At(3)), -13);
}

TEST(CaretMoves, WithoutShiftASelectionCollapsesToItsNearEnd)
{
    const CaretContext c = Selected(20, 50, 50);
    EXPECT_EQ(Target(CaretKey::Left, c), 20);
    EXPECT_EQ(Target(CaretKey::Left, c, false, true), 20);
    EXPECT_EQ(Target(CaretKey::Right, Selected(20, 50, 20)), 50);
    EXPECT_EQ(Target(CaretKey::Right, Selected(20, 50, 20), false, true), 50);
    // Up, Page Up and Home start from selStart; Down, Page Down and End from selEnd.
    EXPECT_EQ(Target(CaretKey::Up, c), 4);
    EXPECT_EQ(Target(CaretKey::Down, Selected(20, 50, 20)), 66);
    EXPECT_EQ(Target(CaretKey::PageUp, c), 20 - 160);
    EXPECT_EQ(Target(CaretKey::PageDown, Selected(20, 50, 20)), 50 + 160);
    EXPECT_EQ(Target(CaretKey::Home, c), 16);
    EXPECT_EQ(Target(CaretKey::End, Selected(20, 50, 20)), 64);
}

TEST(CaretMoves, WithShiftMovesStartFromTheCaret)
{
    const CaretContext c = Selected(20, 50, 50);
    EXPECT_EQ(Target(CaretKey::Left, c, true), 49);
    EXPECT_EQ(Target(CaretKey::Right, c, true), 51);
    EXPECT_EQ(Target(CaretKey::Up, c, true), 34);
    EXPECT_EQ(Target(CaretKey::Home, c, true), 48);
    EXPECT_EQ(Target(CaretKey::Left, Selected(20, 50, 20), true, true), 19);
}

TEST(CaretMoves, CtrlLeftAndRightJumpToGroupBoundaries)
{
    // Groups of four: from inside a group to its start, from a boundary one whole group back.
    EXPECT_EQ(Target(CaretKey::Left, At(10, 1000, 4), false, true), 8);
    EXPECT_EQ(Target(CaretKey::Left, At(8, 1000, 4), false, true), 4);
    EXPECT_EQ(Target(CaretKey::Right, At(10, 1000, 4), false, true), 12);
    EXPECT_EQ(Target(CaretKey::Right, At(8, 1000, 4), false, true), 12);
    // Groups of one byte: one byte either way.
    EXPECT_EQ(Target(CaretKey::Left, At(8), false, true), 7);
    EXPECT_EQ(Target(CaretKey::Right, At(8), false, true), 9);
}

TEST(CaretMoves, CtrlUpAndDownScrollWithoutMovingTheCaret)
{
    for (bool shift : {false, true}) {
        const CaretMove up = ComputeCaretMove(CaretKey::Up, shift, true, At(100));
        EXPECT_FALSE(up.moveCaret);
        EXPECT_EQ(up.scrollRows, -1);
        const CaretMove down = ComputeCaretMove(CaretKey::Down, shift, true, At(100));
        EXPECT_FALSE(down.moveCaret);
        EXPECT_EQ(down.scrollRows, 1);
    }
}

TEST(CaretMoves, PageKeysScrollAWindowAndMoveTheCaretAsFarWithOrWithoutCtrl)
{
    for (bool ctrl : {false, true}) {
        const CaretMove down = ComputeCaretMove(CaretKey::PageDown, false, ctrl, At(100));
        EXPECT_EQ(down.scrollRows, 10);
        EXPECT_EQ(down.target, 260);
        const CaretMove up = ComputeCaretMove(CaretKey::PageUp, false, ctrl, At(300));
        EXPECT_EQ(up.scrollRows, -10);
        EXPECT_EQ(up.target, 140);
    }
}

TEST(CaretMoves, EndShowsTheCaretAtTheRowEndAndASecondEndKeepsIt)
{
    CaretContext c = At(31);  // last byte of the second row
    const CaretMove first = ComputeCaretMove(CaretKey::End, false, false, c);
    EXPECT_EQ(first.target, 32);
    EXPECT_TRUE(first.endOfRow);
    c.caret = 32;
    c.shownAtRowEnd = true;
    const CaretMove second = ComputeCaretMove(CaretKey::End, false, false, c);
    EXPECT_EQ(second.target, 32);
    EXPECT_TRUE(second.endOfRow);
    // Home from there goes to the start of the row the caret is shown on.
    EXPECT_EQ(Target(CaretKey::Home, c), 16);
    // The same offset shown at the start of its own row: Home stays, End goes on.
    c.shownAtRowEnd = false;
    EXPECT_EQ(Target(CaretKey::Home, c), 32);
    EXPECT_EQ(Target(CaretKey::End, c), 48);
}

TEST(CaretMoves, CtrlHomeAndCtrlEndGoToTheEndsOfTheFile)
{
    EXPECT_EQ(Target(CaretKey::Home, At(500), false, true), 0);
    EXPECT_EQ(Target(CaretKey::End, At(500), false, true), 1000);
    EXPECT_EQ(Target(CaretKey::End, Selected(20, 50, 20), true, true), 1000);
    EXPECT_FALSE(ComputeCaretMove(CaretKey::End, false, true, At(500)).endOfRow);
}
