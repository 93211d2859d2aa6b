// Hit testing, caret placement and the scrolling arithmetic, without a window.
#include "view/ViewGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr int kCw = 8;
constexpr int kLh = 16;

RowLayout Make(int bytesPerRow = 16, int groupBy = 0, int columns = 3)
{
    LayoutOptions o;
    o.bytesPerRow = bytesPerRow;
    o.groupBy = groupBy;
    o.columns = columns;
    o.charWidth = kCw;
    o.lineHeight = kLh;
    return RowLayout::Make(o);
}

} // namespace

TEST(ViewGeometry, CaretPointAndHitTestRoundTripInBothColumnsForEveryGroupSize)
{
    const int32_t size = 1000;
    for (int groupBy = 0; groupBy < 4; ++groupBy) {
        const RowLayout l = Make(16, groupBy);
        for (int hScroll : {0, 40}) {
            for (bool hex : {true, false}) {
                for (int32_t caret = 160; caret < 160 + 3 * 16; ++caret) {
                    const CaretPlace place = CaretPointFor(l, caret, 160, false, false, hex, hScroll);
                    ASSERT_FALSE(place.aboveWindow);
                    const HitResult hit = HitTestPoint(l, 160, size, hScroll, place.point.x(), place.point.y() + 3);
                    ASSERT_EQ(hit.offset, caret) << "group by " << groupBy << " hex " << hex;
                    ASSERT_EQ(hit.hex, hex);
                    ASSERT_FALSE(hit.endOfRow);
                }
            }
        }
    }
}

TEST(ViewGeometry, ClickingTheSecondDigitPutsTheCaretBeforeTheNextByte)
{
    const RowLayout l = Make(16, 1);  // groups of two bytes
    const int hexX = l.Px(l.hexX);
    for (int byte = 0; byte < 15; ++byte) {
        const int cell = l.HexCellOfByte(byte);
        EXPECT_EQ(HitTestPoint(l, 0, 100, 0, hexX + cell * kCw + 3, 5).offset, byte) << "first digit of " << byte;
        EXPECT_EQ(HitTestPoint(l, 0, 100, 0, hexX + (cell + 1) * kCw + 3, 5).offset, byte + 1) << "second digit";
    }
}

TEST(ViewGeometry, CharacterColumnRoundsToTheNearestBoundary)
{
    const RowLayout l = Make();
    const int charX = l.Px(l.charX);
    EXPECT_EQ(HitTestPoint(l, 0, 100, 0, charX + 3 * kCw + 3, 0).offset, 3);
    EXPECT_EQ(HitTestPoint(l, 0, 100, 0, charX + 3 * kCw + 5, 0).offset, 4);
    EXPECT_FALSE(HitTestPoint(l, 0, 100, 0, charX + 3, 0).hex);
    // Left of the hex column: the row start, in hex.
    const HitResult left = HitTestPoint(l, 32, 100, 0, 2, kLh + 1);
    EXPECT_EQ(left.offset, 48);
    EXPECT_TRUE(left.hex);
}

TEST(ViewGeometry, PastTheRowEndTheCaretStaysAtTheEndOfThatRow)
{
    const RowLayout l = Make();
    const HitResult hit = HitTestPoint(l, 0, 100, 0, l.Px(l.hexEnd) + 4, kLh + 2);
    EXPECT_EQ(hit.offset, 32);
    EXPECT_TRUE(hit.endOfRow);
    // Displayed after the last digit of row 1, not at the start of row 2.
    const CaretPlace place = CaretPointFor(l, hit.offset, 0, true, false, true, 0);
    EXPECT_EQ(place.point, QPoint(l.Px(l.hexEnd), kLh));
    const CaretPlace chars = CaretPointFor(l, 32, 0, true, false, false, 0);
    EXPECT_EQ(chars.point, QPoint(l.Px(l.charEnd), kLh));
    // The same offset without endOfRow stands at the start of the next row.
    EXPECT_EQ(CaretPointFor(l, 32, 0, false, false, true, 0).point, QPoint(l.Px(l.hexX), 2 * kLh));
}

TEST(ViewGeometry, PastTheEndOfTheFileTheCaretIsAtTheFileSize)
{
    const RowLayout l = Make();
    const HitResult hit = HitTestPoint(l, 0, 20, 0, l.Px(l.hexEnd) + 4, kLh + 2);
    EXPECT_EQ(hit.offset, 20);
    EXPECT_FALSE(hit.endOfRow);
    // Far below the file: the last row start (the empty row of a full file).
    EXPECT_EQ(HitTestPoint(l, 0, 32, 0, l.Px(l.hexX), 50 * kLh).offset, 32);
    EXPECT_EQ(HitTestPoint(l, 0, 0, 0, 500, 500).offset, 0);
}

TEST(ViewGeometry, APointAboveTheWindowLiesOnTheRowAboveTheTop)
{
    const RowLayout l = Make();
    EXPECT_EQ(HitTestPoint(l, 64, 200, 0, l.Px(l.hexX), -1).offset, 48);
    EXPECT_EQ(HitTestPoint(l, 0, 200, 0, l.Px(l.hexX), -100).offset, 0);
}

TEST(ViewGeometry, APendingLowNibblePutsTheCaretBetweenTheDigits)
{
    const RowLayout l = Make();
    const CaretPlace place = CaretPointFor(l, 5, 0, false, true, true, 0);
    EXPECT_EQ(place.point.x(), l.Px(l.hexX + l.HexCellOfByte(5) + 1));
    // Even with endOfRow set, a pending nibble keeps the caret on its own byte.
    EXPECT_EQ(CaretPointFor(l, 16, 0, true, true, true, 0).point, QPoint(l.Px(l.hexX + 1), kLh));
}

TEST(ViewGeometry, CaretAboveTheTopIsHiddenAndFarBelowStaysBelow)
{
    const RowLayout l = Make();
    EXPECT_TRUE(CaretPointFor(l, 10, 32, false, false, true, 0).aboveWindow);
    for (const int64_t caret : {int64_t(INT32_MAX), int64_t(1) << 40, INT64_MAX}) {
        const CaretPlace far = CaretPointFor(l, caret, 0, false, false, true, 0);
        EXPECT_FALSE(far.aboveWindow);
        EXPECT_GT(far.point.y(), 1 << 20) << caret;
        EXPECT_FALSE(CaretVisible(far, 800, 600, false));
    }
    const CaretPlace inside = CaretPointFor(l, 17, 0, false, false, true, 0);
    EXPECT_TRUE(CaretVisible(inside, 800, 600, false));
    EXPECT_FALSE(CaretVisible(inside, 800, 600, true));
    EXPECT_FALSE(CaretVisible(CaretPointFor(l, 17, 0, false, false, true, 2000), 800, 600, false));
}

TEST(ViewGeometry, TheLargestFileFitsTheVerticalScrollRangeInRows)
{
    const int32_t size = INT32_MAX;
    for (int bpr : {2, 3, 16, 32, 255, 256}) {
        for (int rows : {0, 1, 60}) {
            const ScrollRange range = VerticalScrollRange(size, bpr, rows);
            const int64_t topAtMax = int64_t(range.maximum) * bpr;
            ASSERT_LE(topAtMax, size);
            // At the maximum, the window's last row holds the file's last byte.
            const int64_t lastVisibleRowStart = topAtMax + int64_t(bpr) * (std::max(rows, 1) - 1);
            ASSERT_EQ(lastVisibleRowStart, int64_t(size) / bpr * bpr) << bpr << " " << rows;
            ASSERT_EQ(range.page, std::max(rows, 1));
        }
    }
    EXPECT_EQ(VerticalScrollRange(INT32_MAX, 2, 1).maximum, 1073741823);
    EXPECT_EQ(VerticalScrollRange(INT32_MAX - 1, 2, 1).maximum, 1073741823);
}

// The bar's positions against the rows, for files from small to the largest
// a document holds, 16 bytes per row and 40 rows in the window: both ends are
// exact, the middle is in proportion and comes back to its own position, and
// arrows and pages move by exactly one row and one window at either end.
TEST(ViewGeometry, TheScrollBarReachesEveryRowOfAnyFileAndStepsInRows)
{
    constexpr int bpr = 16, rows = 40;
    struct Case {
        int64_t size;
        bool spread;  // more top rows than the bar has positions
    };
    for (const Case c : {Case{1000, false}, Case{int64_t(1) << 31, false}, Case{int64_t(1) << 36, true},
                         Case{INT64_MAX, true}}) {
        SCOPED_TRACE(c.size);
        const ScrollRange range = VerticalScrollRange(c.size, bpr, rows);
        const int64_t limit = TopLimit(c.size, bpr, rows);
        ASSERT_EQ(range.lastTopRow, limit / bpr);
        EXPECT_EQ(range.maximum, c.spread ? kBarPositions : range.lastTopRow);
        EXPECT_EQ(range.page, c.spread ? std::max<int64_t>(1, int64_t(rows) * kBarPositions / range.lastTopRow) : rows);
        EXPECT_EQ(range.RowOfPosition(0), 0);
        EXPECT_EQ(range.RowOfPosition(range.maximum), range.lastTopRow);
        EXPECT_EQ(range.PositionOfRow(range.lastTopRow), range.maximum);
        const int middle = range.maximum / 2;
        const int64_t middleRow = range.RowOfPosition(middle);
        EXPECT_NEAR(double(middleRow) / double(range.lastTopRow), double(middle) / range.maximum, 1e-9);
        EXPECT_EQ(range.PositionOfRow(middleRow), middle);

        const int64_t page = int64_t(rows) * bpr;
        EXPECT_EQ(TopAfterStep(ScrollStep::RowDown, 0, c.size, bpr, rows), std::min<int64_t>(bpr, limit));
        EXPECT_EQ(TopAfterStep(ScrollStep::RowUp, 0, c.size, bpr, rows), 0);
        EXPECT_EQ(TopAfterStep(ScrollStep::RowUp, limit, c.size, bpr, rows), std::max<int64_t>(limit - bpr, 0));
        EXPECT_EQ(TopAfterStep(ScrollStep::RowDown, limit, c.size, bpr, rows), limit);
        EXPECT_EQ(TopAfterStep(ScrollStep::PageDown, 0, c.size, bpr, rows), std::min(page, limit));
        EXPECT_EQ(TopAfterStep(ScrollStep::PageUp, limit, c.size, bpr, rows), std::max<int64_t>(limit - page, 0));
        EXPECT_EQ(TopAfterStep(ScrollStep::PageDown, limit - bpr, c.size, bpr, rows), limit);
        EXPECT_EQ(TopAfterStep(ScrollStep::Last, 0, c.size, bpr, rows), limit);
        EXPECT_EQ(TopAfterStep(ScrollStep::First, limit, c.size, bpr, rows), 0);
    }
}

TEST(ViewGeometry, TheEmptyRowAfterAFullFileCanBeScrolledTo)
{
    // 32 bytes, 16 per row, 2 rows in the window: rows 0, 16, 32 exist.
    EXPECT_EQ(TopLimit(32, 16, 2), 16);
    EXPECT_EQ(VerticalScrollRange(32, 16, 2).maximum, 1);
    EXPECT_EQ(TopLimit(32, 16, 1), 32);
    EXPECT_EQ(TopLimit(31, 16, 1), 16);
    EXPECT_EQ(TopLimit(0, 16, 40), 0);
    EXPECT_EQ(VerticalScrollRange(0, 16, 40).maximum, 0);
}

TEST(ViewGeometry, ClampTopRoundsDownAndNeverOverflowsNearTheLargestSize)
{
    EXPECT_EQ(ClampTop(-50, 1000, 16, 10), 0);
    EXPECT_EQ(ClampTop(37, 1000, 16, 10), 32);
    EXPECT_EQ(ClampTop(5000, 1000, 16, 10), (1000 - 16 * 9) / 16 * 16);
    EXPECT_EQ(ClampTop(int64_t(INT32_MAX) + 100, INT32_MAX, 256, 0), INT32_MAX / 256 * 256);
    EXPECT_EQ(ClampTop(INT32_MAX, INT32_MAX, 7, 3), (INT32_MAX - 14) / 7 * 7);
}

TEST(ViewGeometry, KeepingTheCaretInViewScrollsAsLittleAsPossible)
{
    const int bpr = 16, rows = 10;
    const int32_t size = 10000;
    // Visible: nothing moves.
    EXPECT_EQ(TopForCaret(200, false, 160, size, bpr, rows), 160);
    // Above: its row becomes the top.
    EXPECT_EQ(TopForCaret(100, false, 160, size, bpr, rows), 96);
    // Below: its row becomes the bottom row.
    EXPECT_EQ(TopForCaret(400, false, 160, size, bpr, rows), 400 / 16 * 16 - 16 * 9);
    // endOfRow counts the caret on the row above.
    EXPECT_EQ(TopForCaret(320, true, 160, size, bpr, rows), 160);
    EXPECT_EQ(TopForCaret(320, false, 160, size, bpr, rows), 320 - 16 * 9);
    // Blank rows below the end while more lies above: pulled down to the end.
    EXPECT_EQ(TopForCaret(9990, false, 9984, size, bpr, rows), TopLimit(size, bpr, rows));
}

TEST(ViewGeometry, HorizontalScrollingForTheCaretMovesInFifths)
{
    // Client 500 wide: fifths of 100.
    EXPECT_EQ(HScrollForCaret(-30, 400, 500), 300);
    EXPECT_EQ(HScrollForCaret(-1, 100, 500), 0);
    EXPECT_EQ(HScrollForCaret(499, 0, 500), 100);
    EXPECT_EQ(HScrollForCaret(650, 0, 500), 200);
    EXPECT_EQ(HScrollForCaret(250, 120, 500), 120);
}

TEST(ViewGeometry, ChangingBytesPerRowRealignsTheTop)
{
    // Fewer bytes per row: back to the row start.
    EXPECT_EQ(RealignTop(48, 16, 10, 1000), 40);
    // More bytes per row: forward to the next row start...
    EXPECT_EQ(RealignTop(48, 16, 32, 1000), 64);
    // ...unless too few bytes follow.
    EXPECT_EQ(RealignTop(48, 16, 32, 60), 32);
    EXPECT_EQ(RealignTop(64, 16, 32, 1000), 64);
}
