#include "RowPainter.h"

#include "GlyphBatch.h"
#include "RowText.h"

#include <QPainter>
#include <algorithm>

namespace {

// How a byte stands out in one column.
enum class Mark { None, Selected, Data };

struct ColumnPaint {
    int x = 0;               // client x of the column's first cell
    bool caretColumn = false;
};

class RowDrawer {
public:
    RowDrawer(QPainter& painter, const RowPaintState& s) : painter_(painter), s_(s), l_(*s.layout), batch_(*s.font) {}

    void Row(const RowText& row, int y);
    void Finish();

private:
    Mark MarkAt(int32_t offset, bool caretColumn) const;
    QColor MarkText(Mark m, bool caretColumn) const;
    QColor MarkBackground(Mark m, bool caretColumn) const;
    QColor GroupColor(int byteIndex) const;
    void HexColumn(const RowText& row, int y, int baseline);
    void CharColumn(const RowText& row, int y, int baseline);
    void Bookmarks(const RowText& row, int y);
    // Fills the background of each run of equally marked bytes; cellsOf gives
    // the first cell and the cell after the last of a run of bytes [i, j].
    template <typename Cells>
    void FillRuns(const RowText& row, int columnX, bool caretColumn, int y, Cells cellsOf);

    QPainter& painter_;
    const RowPaintState& s_;
    const RowLayout& l_;
    GlyphBatch batch_;
    std::vector<QRect> inverted_;
};

Mark RowDrawer::MarkAt(int32_t offset, bool caretColumn) const
{
    if (s_.activeView && caretColumn && offset >= s_.dataStart && offset < s_.dataEnd)
        return Mark::Data;
    if (s_.hasSelection && offset >= s_.selStart && offset < s_.selEnd)
        return Mark::Selected;
    return Mark::None;
}

QColor RowDrawer::MarkText(Mark m, bool caretColumn) const
{
    if (m == Mark::Data)
        return s_.colors.dataText;
    return caretColumn && s_.activeView ? s_.colors.selText : s_.colors.selTextInactive;
}

QColor RowDrawer::MarkBackground(Mark m, bool caretColumn) const
{
    if (m == Mark::Data)
        return s_.colors.dataBackground;
    return caretColumn && s_.activeView ? s_.colors.selBackground : s_.colors.selBackgroundInactive;
}

QColor RowDrawer::GroupColor(int byteIndex) const
{
    return (byteIndex / l_.groupSize) % 2 == 0 ? s_.colors.oddText : s_.colors.evenText;
}

template <typename Cells>
void RowDrawer::FillRuns(const RowText& row, int columnX, bool caretColumn, int y, Cells cellsOf)
{
    int i = 0;
    while (i < row.count) {
        const Mark m = MarkAt(row.offset + i, caretColumn);
        int j = i;
        while (j + 1 < row.count && MarkAt(row.offset + j + 1, caretColumn) == m)
            ++j;
        if (m != Mark::None) {
            const auto [first, end] = cellsOf(i, j);
            painter_.fillRect(QRect(columnX + l_.Px(first), y, l_.Px(end - first), l_.lineHeight),
                              MarkBackground(m, caretColumn));
        }
        i = j + 1;
    }
}

void RowDrawer::HexColumn(const RowText& row, int y, int baseline)
{
    const int x = row.hexX - s_.hScroll;
    const bool caretColumn = s_.caretInHex;
    FillRuns(row, x, caretColumn, y,
             [&](int i, int j) { return std::pair(l_.HexCellOfByte(i), l_.HexCellOfByte(j) + 2); });
    const int cw = l_.charWidth;
    for (int i = 0; i < row.count; ++i) {
        const Mark m = MarkAt(row.offset + i, caretColumn);
        const QColor color = m == Mark::None ? GroupColor(i) : MarkText(m, caretColumn);
        const int cell = l_.HexCellOfByte(i);
        batch_.Add(color, row.hex[cell], x + cell * cw, baseline);
        batch_.Add(color, row.hex[cell + 1], x + (cell + 1) * cw, baseline);
        // The separator after a byte (a blank, or the dash) belongs to a
        // marked run only when the next byte is in the same run.
        if (cell + 2 < row.hex.size() && row.hex[cell + 2] != QChar(u' ')) {
            const bool inRun = m != Mark::None && i + 1 < row.count && MarkAt(row.offset + i + 1, caretColumn) == m;
            batch_.Add(inRun ? color : GroupColor(i), row.hex[cell + 2], x + (cell + 2) * cw, baseline);
        }
    }
}

void RowDrawer::CharColumn(const RowText& row, int y, int baseline)
{
    const int x = row.charX - s_.hScroll;
    const bool caretColumn = !s_.caretInHex;
    FillRuns(row, x, caretColumn, y, [](int i, int j) { return std::pair(i, j + 1); });
    const int cw = l_.charWidth;
    for (int i = 0; i < row.count; ++i) {
        const Mark m = MarkAt(row.offset + i, caretColumn);
        batch_.Add(m == Mark::None ? s_.colors.asciiText : MarkText(m, caretColumn), row.chars[i], x + i * cw, baseline);
    }
}

void RowDrawer::Bookmarks(const RowText& row, int y)
{
    auto it = std::lower_bound(s_.bookmarks.begin(), s_.bookmarks.end(), row.offset);
    for (; it != s_.bookmarks.end() && *it < row.offset + row.count; ++it) {
        const int i = *it - row.offset;
        if (s_.caretInHex && l_.hexShown)
            inverted_.emplace_back(row.hexX - s_.hScroll + l_.Px(l_.HexCellOfByte(i)), y, l_.Px(2), l_.lineHeight);
        else if (!s_.caretInHex && l_.charShown)
            inverted_.emplace_back(row.charX - s_.hScroll + l_.Px(i), y, l_.charWidth, l_.lineHeight);
    }
}

void RowDrawer::Row(const RowText& row, int y)
{
    const int baseline = y + s_.font->Ascent();
    batch_.AddText(s_.colors.offsetText, row.offsetText, row.offsetX - s_.hScroll, baseline);
    if (l_.hexShown)
        HexColumn(row, y, baseline);
    if (l_.charShown)
        CharColumn(row, y, baseline);
    if (s_.activeView && !s_.bookmarks.empty())
        Bookmarks(row, y);
}

void RowDrawer::Finish()
{
    batch_.Flush(painter_);
    if (inverted_.empty())
        return;
    painter_.save();
    painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
    for (const QRect& r : inverted_)
        painter_.fillRect(r, Qt::black);
    painter_.restore();
}

} // namespace

std::pair<int, int> RowsCrossing(const QRect& area, int lineHeight)
{
    const int lh = std::max(1, lineHeight);
    return {std::max(0, area.top()) / lh, std::max(0, area.bottom()) / lh};
}

void PaintRows(QPainter& painter, const QRect& area, const RowPaintState& s)
{
    const RowLayout& l = *s.layout;
    painter.fillRect(area, s.colors.background);

    const auto [firstRow, lastRow] = RowsCrossing(area, l.lineHeight);
    int64_t offset = int64_t(s.top.Offset()) + int64_t(firstRow) * l.bytesPerRow;
    if (offset <= s.size) {
        RowDrawer drawer(painter, s);
        CBufferPos cursor = s.top;
        cursor.Seek(int32_t(offset));
        uint8_t bytes[kMaxBytesPerRow];
        // A row is drawn while its start is within the file: a file that fills
        // its last row ends with one empty row, where the caret can append.
        for (int r = firstRow; r <= lastRow && offset <= s.size; ++r, offset += l.bytesPerRow) {
            const int count = cursor.Read(bytes, l.bytesPerRow);
            drawer.Row(BuildRowText(l, int32_t(offset), bytes, count, s.showAllChars), r * l.lineHeight);
            cursor.Forward(l.bytesPerRow);
        }
        drawer.Finish();
    }

    if (l.showSizeBar)
        painter.fillRect(QRect(l.Px(l.sizeBarX) - s.hScroll - 1, area.top(), 3, area.height()), s.colors.sizeBar);
}
