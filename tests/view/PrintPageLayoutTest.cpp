// The page arithmetic of printing against a plain model that walks the
// printed rows one by one.
#include "view/PrintPageLayout.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Page number (from 1) of every printed row start, found by walking rows.
std::vector<std::pair<int64_t, int>> ModelRows(const PrintRange& r)
{
    std::vector<std::pair<int64_t, int>> rows;
    int index = 0;
    for (int64_t at = int64_t(r.start) / r.bytesPerRow * r.bytesPerRow; at < r.end; at += r.bytesPerRow, ++index)
        rows.emplace_back(at, index / r.rowsPerPage + 1);
    return rows;
}

TEST(PrintPageLayout, PagesAgreeWithWalkingTheRows)
{
    const PrintRange cases[] = {
        {0, 0, 16, 10},       {0, 1, 16, 10},     {0, 160, 16, 10},    {0, 161, 16, 10},
        {21, 50, 16, 10},     {15, 17, 16, 1},    {7, 8, 16, 60},      {0, 1000, 2, 1},
        {1000, 1000, 16, 5},  {31, 33, 32, 2},    {0, 1 << 30, 16, 52}, {INT32_MAX - 5, INT32_MAX, 16, 3},
    };
    for (const PrintRange& r : cases) {
        SCOPED_TRACE(testing::Message() << r.start << ".." << r.end << " bpr " << r.bytesPerRow << " rpp " << r.rowsPerPage);
        if (int64_t(r.end) - r.start > 1000000) {  // too many rows to walk: the closed form
            const int64_t rows = (int64_t(r.end) - r.FirstRowStart() + r.bytesPerRow - 1) / r.bytesPerRow;
            EXPECT_EQ(r.PageCount(), (rows + r.rowsPerPage - 1) / r.rowsPerPage);
            continue;
        }
        const auto rows = ModelRows(r);
        const int pages = rows.empty() ? 1 : rows.back().second;
        EXPECT_EQ(r.PageCount(), pages);
        for (const auto& [at, page] : rows)
            if ((at - r.FirstRowStart()) / r.bytesPerRow % r.rowsPerPage == 0) {
                EXPECT_EQ(r.PageStart(page), at) << "page " << page;
            }
        for (int p = 1; p <= pages + 1; ++p)
            EXPECT_EQ(r.IsLastPage(p), p >= pages) << "page " << p;
    }
}

TEST(PrintPageLayout, MarginsFromThePaperEdgesInsideWhatThePrinterReaches)
{
    struct Case {
        PageGeometry page;
        QRect expected;
    };
    const Case cases[] = {
        // Letter at 100 dpi, printable everywhere: half and three quarters of an inch.
        {{QRect(0, 0, 850, 1100), QRect(0, 0, 850, 1100), 100, 100}, QRect(QPoint(50, 75), QPoint(799, 1024))},
        // Painter origin at the printable corner (the paper starts above-left of it).
        {{QRect(-20, -30, 850, 1100), QRect(0, 0, 810, 1040), 100, 100}, QRect(QPoint(30, 45), QPoint(779, 994))},
        // Unprintable edges wider than the margins win.
        {{QRect(0, 0, 850, 1100), QRect(80, 90, 690, 920), 100, 100}, QRect(QPoint(80, 90), QPoint(769, 1009))},
        // Paper smaller than its margins: an empty strip at its middle.
        {{QRect(0, 0, 60, 100), QRect(0, 0, 60, 100), 100, 100}, QRect(29, 49, 1, 1)},
        // Different resolutions across and down.
        {{QRect(0, 0, 1000, 1000), QRect(), 200, 100}, QRect(QPoint(100, 75), QPoint(899, 924))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PageMarginRect(c.page), c.expected) << c.page.paper.width() << "x" << c.page.paper.height();
}

TEST(PrintPageLayout, FontSizesAndRowsPerPageStayPositiveAndBounded)
{
    EXPECT_EQ(MulDivRound(13, 72, 96), 10);  // 9.75 rounds up
    EXPECT_EQ(MulDivRound(11, 72, 96), 8);   // 8.25 rounds down
    EXPECT_EQ(MulDivRound(-3, 1, 2), -2);    // halves round away from zero
    EXPECT_EQ(MulDivRound(INT32_MAX, 2, 1), INT32_MAX);

    EXPECT_EQ(FontPoints(0, 96), 1);
    EXPECT_EQ(FontPoints(13, 0), 936) << "a missing screen resolution counts as one dot per inch";
    EXPECT_EQ(PrinterFontPixels(10, 1200), 167);
    EXPECT_EQ(PrinterFontPixels(1638, 1200), kMaxPrinterFontPixels);
    EXPECT_EQ(PrinterFontPixels(1638, 300), 6825);

    EXPECT_EQ(RowsPerPage(1019, 20), 50);
    EXPECT_EQ(RowsPerPage(10, 20), 1) << "a row taller than the page still takes one page";
    EXPECT_EQ(RowsPerPage(-40, 20), 1);
    EXPECT_EQ(RowsPerPage(100, 0), 100);
}

// Files far past 2 GiB have more pages than an int holds, and a page number
// past the last one must not wrap into the file. The expected numbers are
// the plain ceiling divisions, worked out apart.
TEST(PrintPageLayout, PagesOfHugeFilesCountAndStartIn64Bits)
{
    struct Case {
        PrintRange range;
        int64_t pages, lastPageStart;
    } cases[] = {
        {{0, int64_t(1) << 31, 16, 52}, 2581111, 2147483520},
        {{0, int64_t(1) << 36, 16, 52}, 82595525, 68719475968},
        {{0, INT64_MAX, 16, 52}, 11085783698142760, 9223372036854775488},
        {{(int64_t(1) << 32) + 5, (int64_t(1) << 32) + 5 + 16 * 52 * 3, 16, 52}, 4, (int64_t(1) << 32) + 16 * 52 * 3},
    };
    for (const Case& c : cases) {
        const PrintRange& r = c.range;
        SCOPED_TRACE(testing::Message() << r.start << ".." << r.end << " bpr " << r.bytesPerRow << " rpp " << r.rowsPerPage);
        EXPECT_EQ(r.PageCount(), c.pages);
        EXPECT_EQ(r.PageStart(c.pages), c.lastPageStart);
        EXPECT_EQ(r.PageStart(c.pages - 1), c.lastPageStart - int64_t(r.bytesPerRow) * r.rowsPerPage);
        EXPECT_TRUE(r.IsLastPage(c.pages) && !r.IsLastPage(c.pages - 1));
        EXPECT_GE(r.PageStart(INT64_MAX), r.end) << "past the last page is past the end";
    }
}

} // namespace
