#include "PointerHit.h"

namespace {

struct CellHit {
    int64_t byte = -1;      // byte index in the row, -1 when none
    bool blankAfter = false;  // on the blank that follows that byte's group
};

CellHit CellInRow(const RowLayout& l, int xs)
{
    CellHit hit;
    const int cw = l.charWidth;
    if (l.hexShown && xs >= l.Px(l.hexX) && xs < l.Px(l.hexEnd)) {
        const int cell = (xs - l.Px(l.hexX)) / cw;
        const int groupCells = 2 * l.groupSize + 1;
        const int group = cell / groupCells;
        const int inGroup = cell % groupCells;
        hit.blankAfter = inGroup == 2 * l.groupSize;
        hit.byte = int64_t(group) * l.groupSize + (hit.blankAfter ? l.groupSize - 1 : inGroup / 2);
    } else if (l.charShown && xs >= l.Px(l.charX) && xs < l.Px(l.charEnd)) {
        hit.byte = (xs - l.Px(l.charX)) / cw;
    }
    return hit;
}

int64_t RowStart(const RowLayout& l, int64_t top, int y)
{
    return y < 0 ? -1 : int64_t(top) + int64_t(y / l.lineHeight) * l.bytesPerRow;
}

} // namespace

std::optional<int64_t> ByteUnderPoint(const RowLayout& l, int64_t top, int64_t size, int hScroll, int x, int y)
{
    const int64_t rowStart = RowStart(l, top, y);
    const CellHit cell = CellInRow(l, x + hScroll);
    if (rowStart < 0 || cell.byte < 0 || cell.blankAfter || rowStart + cell.byte >= size)
        return std::nullopt;
    return int64_t(rowStart + cell.byte);
}

bool PointOnSelection(const RowLayout& l, int64_t top, int64_t size, int hScroll, int x, int y, int64_t selStart,
                      int64_t selEnd)
{
    const int64_t rowStart = RowStart(l, top, y);
    const CellHit cell = CellInRow(l, x + hScroll);
    if (rowStart < 0 || cell.byte < 0)
        return false;
    const int64_t byte = rowStart + cell.byte;
    const int64_t last = cell.blankAfter ? byte + 1 : byte;  // a blank needs both neighbours selected
    return byte < size && byte >= selStart && last < selEnd && (!cell.blankAfter || cell.byte + 1 < l.bytesPerRow);
}
