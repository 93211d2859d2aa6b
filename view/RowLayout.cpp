#include "RowLayout.h"

#include <algorithm>
#include <cstdlib>

int OffsetDigitsFor(int64_t fileSize, bool decimal)
{
    const uint64_t radix = decimal ? 10 : 16;
    int digits = 1;
    for (uint64_t rest = uint64_t(std::max<int64_t>(fileSize, 0)) / radix; rest != 0; rest /= radix)
        ++digits;
    return std::max(digits, decimal ? 10 : 8);
}

int GroupSizeFromGroupBy(int groupBy) { return 1 << std::clamp(groupBy, 0, 3); }

int EffectiveColumns(int columns)
{
    columns &= kHexColumn | kCharColumn;
    return columns == 0 ? (kHexColumn | kCharColumn) : columns;
}

int NormalizeBytesPerRow(int bytesPerRow, int groupSize)
{
    const int smallest = std::max(groupSize, 2);
    const int rounded = bytesPerRow / groupSize * groupSize;
    return std::clamp(rounded, smallest, kMaxBytesPerRow);
}

RowLayout RowLayout::Make(const LayoutOptions& options)
{
    RowLayout l;
    const int columns = EffectiveColumns(options.columns);
    l.groupSize = GroupSizeFromGroupBy(options.groupBy);
    l.bytesPerRow = NormalizeBytesPerRow(options.bytesPerRow, l.groupSize);
    l.groups = l.bytesPerRow / l.groupSize;
    l.charWidth = std::max(1, options.charWidth);
    l.lineHeight = std::max(1, options.lineHeight);
    l.decimalOffsets = options.offsetFormat == 0;
    l.offsetDigits = OffsetDigitsFor(options.fileSize, l.decimalOffsets);
    l.hexShown = (columns & kHexColumn) != 0;
    l.charShown = (columns & kCharColumn) != 0;
    l.showSizeBar = options.showSizeBar;

    l.offsetX = 1;
    l.offsetEnd = l.offsetX + l.offsetDigits;
    l.hexX = l.offsetEnd + 2;
    l.hexChars = l.hexShown ? 2 * l.bytesPerRow + l.groups - 1 : 0;
    l.hexEnd = l.hexX + l.hexChars;
    l.charX = l.hexShown && l.charShown ? l.hexEnd + 2 : l.hexEnd;
    l.charChars = l.charShown ? l.bytesPerRow : 0;
    l.charEnd = l.charX + l.charChars;
    l.sizeBarX = l.charEnd + 1;

    l.dashByte = l.groups / 2 * l.groupSize;
    l.dashChar = l.dashByte / l.groupSize + 2 * l.dashByte - 1;
    l.dashShown = options.showDash && l.dashChar >= 0 && l.dashByte != 0;

    l.totalCells = (l.showSizeBar ? 1 : 0) + l.offsetDigits + 1
        + (l.hexShown ? 2 * l.bytesPerRow + l.groups + 1 : 0)
        + (l.charShown ? l.bytesPerRow + 2 : 0) + 1;
    l.totalWidth = l.totalCells * l.charWidth;
    return l;
}

int RowWidthFor(const LayoutOptions& options, int bytesPerRow)
{
    LayoutOptions o = options;
    o.bytesPerRow = bytesPerRow;
    return RowLayout::Make(o).totalWidth;
}

int SizeBarXFor(const LayoutOptions& options, int bytesPerRow)
{
    LayoutOptions o = options;
    o.bytesPerRow = bytesPerRow;
    const RowLayout l = RowLayout::Make(o);
    return l.Px(l.sizeBarX);
}

int FitBytesPerRow(const LayoutOptions& options, int n, int clientWidth)
{
    const int g = GroupSizeFromGroupBy(options.groupBy);
    n = NormalizeBytesPerRow(n, g);
    if (RowWidthFor(options, n) < clientWidth) {
        int best = n;
        for (int k = n + g; k <= kMaxBytesPerRow && RowWidthFor(options, k) < clientWidth; k += g)
            best = k;
        return best;
    }
    int last = n;
    for (int k = n - g; k > 1; k -= g) {
        last = k;
        if (RowWidthFor(options, k) < clientWidth)
            return k;
    }
    return last;
}

int SizeBarCandidate(const LayoutOptions& options, int mouseX)
{
    const int g = GroupSizeFromGroupBy(options.groupBy);
    int best = std::max(g, 2);
    int distance = std::abs(mouseX - SizeBarXFor(options, best));
    for (int k = best + g; k <= kMaxBytesPerRow; k += g) {
        const int d = std::abs(mouseX - SizeBarXFor(options, k));
        if (d > distance)
            break;
        distance = d;
        best = k;
    }
    return best;
}

bool IsOverSizeBar(const RowLayout& layout, int clientX, int hScroll)
{
    return layout.showSizeBar && std::abs(clientX + hScroll - layout.Px(layout.sizeBarX)) <= layout.charWidth / 2;
}
