#include "ViewGeometry.h"

#include <algorithm>
#include <limits>

namespace {

int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Rows far below the window would overflow a pixel coordinate; they are all
// equally out of sight.
int ClampPixel(int64_t value)
{
    constexpr int64_t kFar = int64_t(1) << 30;
    return int(std::clamp(value, -kFar, kFar));
}

} // namespace

HitResult HitTestPoint(const RowLayout& l, int64_t top, int64_t size, int hScroll, int x, int y)
{
    HitResult hit;
    const int64_t lastRowStart = int64_t(size) / l.bytesPerRow * l.bytesPerRow;
    // Floor division: a point above the window lies on the row above the top.
    const int64_t rowStart =
        std::clamp(int64_t(top) + FloorDiv(y, l.lineHeight) * l.bytesPerRow, int64_t(0), lastRowStart);

    const int cw = l.charWidth;
    const int xs = x + hScroll;
    int index;
    hit.hex = l.hexShown && (xs <= l.Px(l.charX) - cw || !l.charShown);
    if (hit.hex) {
        const int cell = (xs - l.Px(l.hexX) - 1 + cw) / cw;
        index = (cell - cell / (2 * l.groupSize + 1)) / 2;
    } else {
        index = (xs - l.Px(l.charX) - 1 + cw / 2) / cw;
    }
    if (index < 0)
        index = 0;
    if (index >= l.bytesPerRow) {
        index = l.bytesPerRow;
        hit.endOfRow = true;
    }
    int64_t offset = rowStart + index;
    if (offset > size) {
        offset = size;
        hit.endOfRow = false;
    }
    hit.offset = int64_t(offset);
    return hit;
}

CaretPlace CaretPointFor(const RowLayout& l, int64_t caret, int64_t top, bool endOfRow, bool lowNibblePending,
                         bool hex, int hScroll)
{
    CaretPlace place;
    const int64_t r = int64_t(caret) - top;
    if (r < 0) {
        place.aboveWindow = true;
        place.point = QPoint(0, -l.lineHeight);
        return place;
    }
    int64_t row = r / l.bytesPerRow;
    int col = int(r % l.bytesPerRow);
    int shiftCells = 0;
    if (endOfRow && col == 0 && caret != 0 && !lowNibblePending) {
        col = l.bytesPerRow;
        --row;
        shiftCells = hex ? 1 : 0;
    }
    int cells;
    if (hex)
        cells = l.hexX + col / l.groupSize + 2 * col - shiftCells + (lowNibblePending ? 1 : 0);
    else
        cells = l.charX + col;
    // The row is cut first: a caret exabytes below the top would overflow
    // even the 64-bit product.
    place.point = QPoint(l.Px(cells) - hScroll, ClampPixel(std::min<int64_t>(row, INT32_MAX) * l.lineHeight));
    return place;
}

bool CaretVisible(const CaretPlace& place, int clientWidth, int clientHeight, bool hasSelection)
{
    if (hasSelection || place.aboveWindow)
        return false;
    const QPoint p = place.point;
    return p.x() >= 0 && p.x() < clientWidth && p.y() >= 0 && p.y() < clientHeight;
}

int RowsInWindow(int clientHeight, int lineHeight) { return std::max(0, clientHeight) / std::max(1, lineHeight); }

int64_t TopLimit(int64_t size, int bytesPerRow, int rowsInWindow)
{
    // A window without one whole row still shows the top row.
    const int64_t rows = std::max(rowsInWindow, 1);
    const int64_t limit = std::max<int64_t>(0, int64_t(size) - int64_t(bytesPerRow) * (rows - 1));
    return int64_t(limit / bytesPerRow * bytesPerRow);
}

int64_t ClampTop(int64_t offset, int64_t size, int bytesPerRow, int rowsInWindow)
{
    const int64_t clamped = std::clamp<int64_t>(offset, 0, TopLimit(size, bytesPerRow, rowsInWindow));
    return int64_t(clamped / bytesPerRow * bytesPerRow);
}

ScrollRange VerticalScrollRange(int64_t size, int bytesPerRow, int rowsInWindow)
{
    ScrollRange range;
    range.lastTopRow = TopLimit(size, bytesPerRow, rowsInWindow) / bytesPerRow;
    range.maximum = int(std::min<int64_t>(range.lastTopRow, kBarPositions));
    const int rows = std::max(rowsInWindow, 1);
    // The thumb keeps its share of the bar: a window's rows in positions.
    range.page = range.lastTopRow <= kBarPositions
        ? rows
        : std::max(1, int(static_cast<unsigned __int128>(rows) * kBarPositions / uint64_t(range.lastTopRow)));
    return range;
}

namespace {

// a * b / c rounded to the nearest, for a, b, c >= 0, c > 0, in 128 bits.
int64_t ScaleRounded(int64_t a, int64_t b, int64_t c)
{
    const auto product = static_cast<unsigned __int128>(a) * uint64_t(b);
    return int64_t((product + uint64_t(c) / 2) / uint64_t(c));
}

} // namespace

int ScrollRange::PositionOfRow(int64_t topRow) const
{
    const int64_t row = std::clamp<int64_t>(topRow, 0, lastTopRow);
    if (lastTopRow <= kBarPositions)
        return int(row);
    return int(ScaleRounded(row, maximum, lastTopRow));
}

int64_t ScrollRange::RowOfPosition(int position) const
{
    const int64_t p = std::clamp(position, 0, maximum);
    if (lastTopRow <= kBarPositions)
        return p;
    return ScaleRounded(p, lastTopRow, maximum);
}

int64_t TopAfterStep(ScrollStep step, int64_t top, int64_t size, int bytesPerRow, int rowsInWindow)
{
    const int64_t row = bytesPerRow;
    const int64_t page = int64_t(std::max(rowsInWindow, 1)) * bytesPerRow;
    const int64_t limit = TopLimit(size, bytesPerRow, rowsInWindow);
    int64_t target = top;
    switch (step) {
    case ScrollStep::RowUp: target = top - row; break;
    case ScrollStep::RowDown: target = top + std::min(row, limit - top); break;
    case ScrollStep::PageUp: target = top - page; break;
    case ScrollStep::PageDown: target = top + std::min(page, limit - top); break;
    case ScrollStep::First: target = 0; break;
    case ScrollStep::Last: target = limit; break;
    }
    return ClampTop(target, size, bytesPerRow, rowsInWindow);
}

int HScrollLimit(int totalWidth, int clientWidth) { return std::max(0, totalWidth - clientWidth); }

int64_t TopForCaret(int64_t caret, bool endOfRow, int64_t top, int64_t size, int bytesPerRow, int rowsInWindow)
{
    const int64_t rows = std::max(rowsInWindow, 1);
    const int64_t e = std::max<int64_t>(0, int64_t(caret) - (endOfRow ? 1 : 0));
    const int64_t span = int64_t(bytesPerRow) * (rows - 1);
    if (e < top)
        return ClampTop(e, size, bytesPerRow, rowsInWindow);
    if (e < int64_t(top) + rows * bytesPerRow) {
        if (top > int64_t(size) - span)
            return ClampTop(int64_t(size) - span, size, bytesPerRow, rowsInWindow);
        return top;
    }
    return ClampTop(e - span, size, bytesPerRow, rowsInWindow);
}

int HScrollForCaret(int caretX, int hScroll, int clientWidth)
{
    const int fifth = std::max(1, clientWidth / 5);
    if (caretX < 0)
        return std::max(0, (caretX + hScroll) / fifth * fifth);
    const int overshoot = caretX + kCaretWidth - clientWidth;
    if (overshoot > 0)
        return hScroll + (overshoot + fifth - 1) / fifth * fifth;
    return hScroll;
}

int64_t RealignTop(int64_t top, int oldBytesPerRow, int newBytesPerRow, int64_t size)
{
    const int64_t remainder = top % newBytesPerRow;
    if (remainder == 0)
        return top;
    if (oldBytesPerRow >= newBytesPerRow || size - top < newBytesPerRow - remainder)
        return top - remainder;
    return top + (newBytesPerRow - remainder);
}
