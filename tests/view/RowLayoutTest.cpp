// Row geometry: column positions, row widths, Fit and the size bar.
#include "view/RowLayout.h"

#include <gtest/gtest.h>

namespace {

LayoutOptions Options(int bytesPerRow = 16, int groupBy = 0, int columns = 3, bool sizeBar = false, int cw = 8)
{
    LayoutOptions o;
    o.bytesPerRow = bytesPerRow;
    o.groupBy = groupBy;
    o.columns = columns;
    o.showSizeBar = sizeBar;
    o.charWidth = cw;
    o.lineHeight = 16;
    return o;
}

// The full row width in cells, written out independently of the layout code.
int WidthCells(int k, int g, bool hex, bool chars, bool bar, int digits = 8)
{
    return (bar ? 1 : 0) + digits + 1 + (hex ? 2 * k + k / g + 1 : 0) + (chars ? k + 2 : 0) + 1;
}

} // namespace

TEST(RowLayout, DefaultColumnsSitWhereTheRowTextPutsThem)
{
    const RowLayout l = RowLayout::Make(Options());
    EXPECT_EQ(l.offsetX, 1);
    EXPECT_EQ(l.offsetEnd, 9);
    EXPECT_EQ(l.hexX, 11);
    EXPECT_EQ(l.hexChars, 47);
    EXPECT_EQ(l.hexEnd, 58);
    EXPECT_EQ(l.charX, 60);
    EXPECT_EQ(l.charEnd, 76);
    EXPECT_EQ(l.sizeBarX, 77);
    EXPECT_EQ(l.dashByte, 8);
    EXPECT_EQ(l.dashChar, 23);
    EXPECT_TRUE(l.dashShown);
    EXPECT_EQ(l.totalWidth, WidthCells(16, 1, true, true, false) * 8);
}

TEST(RowLayout, WidthMatchesTheRowFormulaForEveryShapeAndTheSizeBarEndsTheRow)
{
    for (int groupBy = 0; groupBy < 4; ++groupBy) {
        const int g = 1 << groupBy;
        for (int columns : {1, 2, 3}) {
            for (bool bar : {false, true}) {
                for (int k = std::max(g, 2); k <= 256; k += g) {
                    const RowLayout l = RowLayout::Make(Options(k, groupBy, columns, bar));
                    const bool hex = columns & 1, chars = columns & 2;
                    ASSERT_EQ(l.totalCells, WidthCells(k, g, hex, chars, bar)) << k << " " << columns;
                    // The bar is the last cell of the row when shown, the row's end otherwise.
                    ASSERT_EQ(l.sizeBarX + (bar ? 1 : 0), l.totalCells);
                    ASSERT_EQ(l.charEnd - l.charX, chars ? k : 0);
                }
            }
        }
    }
}

TEST(RowLayout, NoColumnBitsCountsAsBothAndOneColumnStartsAtTheHexPosition)
{
    EXPECT_EQ(RowLayout::Make(Options(16, 0, 0)).totalCells, RowLayout::Make(Options(16, 0, 3)).totalCells);
    const RowLayout charsOnly = RowLayout::Make(Options(16, 0, 2));
    EXPECT_EQ(charsOnly.charX, charsOnly.hexX);
    EXPECT_EQ(charsOnly.hexChars, 0);
}

TEST(RowLayout, DecimalOffsetsAreTenDigits)
{
    LayoutOptions o = Options();
    o.offsetFormat = 0;
    const RowLayout l = RowLayout::Make(o);
    EXPECT_EQ(l.offsetDigits, 10);
    EXPECT_EQ(l.hexX, 13);
    EXPECT_EQ(l.charX, 62);
}

TEST(RowLayout, BytesPerRowIsKeptToMultiplesOfTheGroupWithinRange)
{
    EXPECT_EQ(NormalizeBytesPerRow(1, 1), 2);
    EXPECT_EQ(NormalizeBytesPerRow(17, 1), 17);
    EXPECT_EQ(NormalizeBytesPerRow(17, 4), 16);
    EXPECT_EQ(NormalizeBytesPerRow(4, 8), 8);
    EXPECT_EQ(NormalizeBytesPerRow(1000, 8), 256);
    EXPECT_EQ(NormalizeBytesPerRow(-5, 2), 2);
    EXPECT_EQ(RowLayout::Make(Options(12, 3)).bytesPerRow, 8);
}

TEST(RowLayout, FitKeepsTheWidestRowStrictlyNarrowerThanTheWindow)
{
    for (int groupBy = 0; groupBy < 4; ++groupBy) {
        const int g = 1 << groupBy;
        const LayoutOptions o = Options(16, groupBy);
        for (int k = std::max(g, 2); k <= 256; k += g) {
            const int w = RowWidthFor(o, k);
            // From a start above and a start below the answer.
            for (int start : {std::max(g, 2), 256 / g * g, 16 / g * g}) {
                EXPECT_EQ(FitBytesPerRow(o, start, w + 1), k) << "start " << start << " k " << k;
                if (k > std::max(g, 2)) {
                    EXPECT_EQ(FitBytesPerRow(o, start, w), k - g) << "start " << start << " k " << k;
                }
            }
        }
    }
}

TEST(RowLayout, FitFallsToTheSmallestRowWhenNothingFitsAndStopsAt256)
{
    const LayoutOptions o = Options(16, 0);
    EXPECT_EQ(FitBytesPerRow(o, 16, 10), 2);
    EXPECT_EQ(FitBytesPerRow(o, 16, 100000), 256);
    EXPECT_EQ(FitBytesPerRow(Options(8, 3), 8, 10), 8);
    EXPECT_EQ(FitBytesPerRow(Options(16, 2), 16, 10), 4);
}

TEST(RowLayout, NarrowingTheWindowStepsDownByTheGroupSize)
{
    const LayoutOptions o = Options(32, 2);
    int previous = FitBytesPerRow(o, 32, 2000);
    for (int width = 2000; width > 100; width -= 3) {
        const int fit = FitBytesPerRow(o, previous, width);
        EXPECT_EQ(fit % 4, 0);
        EXPECT_TRUE(fit == previous || fit == previous - 4) << width;
        previous = fit;
    }
}

TEST(RowLayout, SizeBarCandidateIsTheRowWhoseBarIsNearest)
{
    for (int groupBy = 0; groupBy < 4; ++groupBy) {
        const int g = 1 << groupBy;
        const LayoutOptions o = Options(16, groupBy, 3, true);
        for (int k = std::max(g, 2); k <= 256; k += g) {
            const int bar = SizeBarXFor(o, k);
            EXPECT_EQ(SizeBarCandidate(o, bar), k);
            EXPECT_EQ(SizeBarCandidate(o, bar + 2), k);
            EXPECT_EQ(SizeBarCandidate(o, bar - 2), k);
        }
        EXPECT_EQ(SizeBarCandidate(o, 0), std::max(g, 2));
        EXPECT_EQ(SizeBarCandidate(o, 1 << 20), 256);
    }
}

TEST(RowLayout, SizeBarPositionFollowsTheShownColumns)
{
    // With the bar shown, its x is charWidth x (1 + digits + 1 + hex part + char part).
    const int cw = 8;
    EXPECT_EQ(SizeBarXFor(Options(16, 0, 3, true), 16), cw * (1 + 8 + 1 + (32 + 16 + 1) + (16 + 2)));
    EXPECT_EQ(SizeBarXFor(Options(16, 1, 1, true), 16), cw * (1 + 8 + 1 + (32 + 8 + 1)));
    EXPECT_EQ(SizeBarXFor(Options(16, 0, 2, true), 16), cw * (1 + 8 + 1 + (16 + 2)));
}

TEST(RowLayout, TheBarIsGrabbedWithinHalfACharacterAfterScrolling)
{
    const RowLayout l = RowLayout::Make(Options(16, 0, 3, true, 8));
    const int bar = l.Px(l.sizeBarX);
    EXPECT_TRUE(IsOverSizeBar(l, bar, 0));
    EXPECT_TRUE(IsOverSizeBar(l, bar + 4, 0));
    EXPECT_TRUE(IsOverSizeBar(l, bar - 4, 0));
    EXPECT_FALSE(IsOverSizeBar(l, bar + 5, 0));
    EXPECT_FALSE(IsOverSizeBar(l, bar - 5, 0));
    EXPECT_TRUE(IsOverSizeBar(l, bar - 100, 100));
    EXPECT_FALSE(IsOverSizeBar(RowLayout::Make(Options(16, 0, 3, false)), bar, 0));
}
