#include "RowPainter.h"

#include "GlyphBatch.h"
#include "RowText.h"

#include <QPainter>
#include <algorithm>

namespace {

// How a byte stands out in one column.
enum class Mark { None, Selected, Data, Difference };

// Differences keep one colour pair whatever the theme: black on the colour
// list's "Yellow" reads on light and dark backgrounds and prints.
const QColor kDifferenceText(0, 0, 0);
const QColor kDifferenceBackground(0xFF, 0xFF, 0x00);

struct ColumnPaint {
    int x = 0;               // client x of the column's first cell
    bool caretColumn = false;
};

class RowDrawer {
public:
    RowDrawer(QPainter& painter, const RowPaintState& s);

    void Row(const RowText& row, int y);
    void Finish();

private:
    Mark MarkAt(int64_t offset, bool caretColumn) const;
    bool InDifference(int64_t offset) const;
    QColor MarkBackground(Mark m, bool caretColumn) const;
    // The same colours as the glyph batch takes them.
    QRgb MarkTextRgb(Mark m, bool caretColumn) const;
    QRgb MarkBackgroundRgb(Mark m, bool caretColumn) const;
    QRgb GroupRgb(int byteIndex) const { return (byteIndex / l_.groupSize) % 2 == 0 ? rgb_.odd : rgb_.even; }
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
    struct {
        QRgb offset, odd, even, ascii, sel, selInactive, data;
        QRgb background, selBackground, selBackgroundInactive, dataBackground;
    } rgb_;
};

// A background that 8 bits per channel do not hold exactly is filled
// slightly differently from its 8-bit value: its cells are never copied.
QRgb BackgroundRgb(const QColor& color)
{
    const QRgb rgb = color.rgba();
    return QColor::fromRgba(rgb).rgba64() == color.rgba64() ? rgb : GlyphBatch::kUnknownBackground;
}

RowDrawer::RowDrawer(QPainter& painter, const RowPaintState& s)
    : painter_(painter), s_(s), l_(*s.layout), batch_(*s.font, s.cells)
{
    const ViewColors& c = s.colors;
    rgb_ = {c.offsetText.rgba(),        c.oddText.rgba(),
            c.evenText.rgba(),          c.asciiText.rgba(),
            c.selText.rgba(),           c.selTextInactive.rgba(),
            c.dataText.rgba(),          BackgroundRgb(c.background),
            BackgroundRgb(c.selBackground), BackgroundRgb(c.selBackgroundInactive),
            BackgroundRgb(c.dataBackground)};
}

Mark RowDrawer::MarkAt(int64_t offset, bool caretColumn) const
{
    if (s_.activeView && caretColumn && offset >= s_.dataStart && offset < s_.dataEnd)
        return Mark::Data;
    if (s_.hasSelection && offset >= s_.selStart && offset < s_.selEnd)
        return Mark::Selected;
    if (InDifference(offset))
        return Mark::Difference;
    return Mark::None;
}

bool RowDrawer::InDifference(int64_t offset) const
{
    const auto& d = s_.differences;
    if (d.empty())
        return false;
    // The first stretch that ends after offset is the only one that can hold it.
    const auto it = std::partition_point(d.begin(), d.end(), [&](const auto& r) { return r.second <= offset; });
    return it != d.end() && it->first <= offset;
}

QColor RowDrawer::MarkBackground(Mark m, bool caretColumn) const
{
    if (m == Mark::Data)
        return s_.colors.dataBackground;
    if (m == Mark::Difference)
        return kDifferenceBackground;
    return caretColumn && s_.activeView ? s_.colors.selBackground : s_.colors.selBackgroundInactive;
}

QRgb RowDrawer::MarkTextRgb(Mark m, bool caretColumn) const
{
    if (m == Mark::Data)
        return rgb_.data;
    if (m == Mark::Difference)
        return kDifferenceText.rgba();
    return caretColumn && s_.activeView ? rgb_.sel : rgb_.selInactive;
}

QRgb RowDrawer::MarkBackgroundRgb(Mark m, bool caretColumn) const
{
    if (m == Mark::Data)
        return rgb_.dataBackground;
    if (m == Mark::Difference)
        return kDifferenceBackground.rgba();
    return caretColumn && s_.activeView ? rgb_.selBackground : rgb_.selBackgroundInactive;
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
        const QRgb color = m == Mark::None ? GroupRgb(i) : MarkTextRgb(m, caretColumn);
        const QRgb back = m == Mark::None ? rgb_.background : MarkBackgroundRgb(m, caretColumn);
        const int cell = l_.HexCellOfByte(i);
        batch_.Add(color, back, row.hex[cell], x + cell * cw, baseline);
        batch_.Add(color, back, row.hex[cell + 1], x + (cell + 1) * cw, baseline);
        // The separators after a byte (blanks, or the dash) belong to a
        // marked run only when the next byte is in the same run.
        if (i + 1 < row.count) {
            const bool inRun = m != Mark::None && MarkAt(row.offset + i + 1, caretColumn) == m;
            const int next = l_.HexCellOfByte(i + 1);
            for (int k = cell + 2; k < next && k < row.hex.size(); ++k)
                batch_.Add(inRun ? color : GroupRgb(i), inRun ? back : rgb_.background, row.hex[k], x + k * cw,
                           baseline);
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
        if (m == Mark::None)
            batch_.Add(rgb_.ascii, rgb_.background, row.chars[i], x + i * cw, baseline);
        else
            batch_.Add(MarkTextRgb(m, caretColumn), MarkBackgroundRgb(m, caretColumn), row.chars[i], x + i * cw,
                       baseline);
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
    batch_.AddText(rgb_.offset, rgb_.background, row.offsetText, row.offsetX - s_.hScroll, baseline);
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
        cursor.Seek(int64_t(offset));
        uint8_t bytes[kMaxBytesPerRow];
        // A row is drawn while its start is within the file: a file that fills
        // its last row ends with one empty row, where the caret can append.
        for (int r = firstRow; r <= lastRow && offset <= s.size; ++r, offset += l.bytesPerRow) {
            const int count = int(std::min<int64_t>(l.bytesPerRow, s.size - offset));
            const int readable = cursor.Read(bytes, count);
            drawer.Row(BuildRowText(l, int64_t(offset), bytes, count, s.showAllChars, readable), r * l.lineHeight);
            cursor.Forward(l.bytesPerRow);
        }
        drawer.Finish();
    }

    if (l.showSizeBar)
        painter.fillRect(QRect(l.Px(l.sizeBarX) - s.hScroll - 1, area.top(), 3, area.height()), s.colors.sizeBar);
}
