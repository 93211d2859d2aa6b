#include "PrintPageLayout.h"

#include <algorithm>

namespace {
constexpr int kSideMarginPer8Inch = 4;  // half an inch
constexpr int kTopMarginPer8Inch = 6;   // three quarters of an inch
} // namespace

int MulDivRound(int a, int b, int c)
{
    const int64_t product = int64_t(a) * b;
    const int64_t half = c / 2;
    const int64_t q = product >= 0 ? (product + half) / c : (product - half) / c;
    return int(std::clamp<int64_t>(q, INT32_MIN, INT32_MAX));
}

QRect PageMarginRect(const PageGeometry& page)
{
    const int side = MulDivRound(page.dpiX, kSideMarginPer8Inch, 8);
    const int top = MulDivRound(page.dpiY, kTopMarginPer8Inch, 8);
    int left = page.paper.left() + side;
    int right = page.paper.right() - side;
    int topY = page.paper.top() + top;
    int bottom = page.paper.bottom() - top;
    if (!page.printable.isEmpty()) {
        left = std::max(left, page.printable.left());
        right = std::min(right, page.printable.right());
        topY = std::max(topY, page.printable.top());
        bottom = std::min(bottom, page.printable.bottom());
    }
    // Paper smaller than its margins keeps an empty rectangle at its middle,
    // so the title and page number still stand on it.
    if (right < left)
        left = right = (left + right) / 2;
    if (bottom < topY)
        topY = bottom = (topY + bottom) / 2;
    return QRect(QPoint(left, topY), QPoint(right, bottom));
}

int FontPoints(int screenPixels, int screenDpi)
{
    return std::max(1, MulDivRound(screenPixels, 72, std::max(1, screenDpi)));
}

int PrinterFontPixels(int points, int printerDpi)
{
    return std::clamp(MulDivRound(points, std::max(1, printerDpi), 72), 1, kMaxPrinterFontPixels);
}

int RowsPerPage(int height, int lineHeight)
{
    return std::max(1, height / std::max(1, lineHeight));
}

namespace {

// Whole units of size that hold count, rounded up, without the overflow of
// adding size - 1 near INT64_MAX.
int64_t Units(int64_t count, int64_t size) { return count / size + (count % size != 0 ? 1 : 0); }

} // namespace

int64_t PrintRange::PageStart(int64_t page) const
{
    const int64_t pageBytes = int64_t(bytesPerRow) * rowsPerPage;
    const int64_t first = FirstRowStart();
    const int64_t before = std::max<int64_t>(0, page - 1);
    // Pages beyond the file would overflow: they all start past its end.
    if (before > (INT64_MAX - first) / pageBytes)
        return INT64_MAX;
    return first + before * pageBytes;
}

int64_t PrintRange::PageCount() const
{
    const int64_t bytes = std::max<int64_t>(0, end - FirstRowStart());
    return std::max<int64_t>(1, Units(Units(bytes, bytesPerRow), rowsPerPage));
}

bool PrintRange::IsLastPage(int64_t page) const
{
    return page >= PageCount();
}
