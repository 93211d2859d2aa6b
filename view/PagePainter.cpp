#include "PagePainter.h"

#include "GlyphBatch.h"
#include "RowText.h"
#include "ViewColors.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>

PrintColors ResolvePrintColors(const uint32_t* colors, bool blackWhite)
{
    if (blackWhite) {
        const QColor text(Qt::black);
        return {text, text, text, text};
    }
    QPalette paper(Qt::black, Qt::white);
    paper.setColor(QPalette::Base, Qt::white);
    paper.setColor(QPalette::Text, Qt::black);
    const ViewColors v = ResolveViewColors(colors, paper);
    return {v.offsetText, v.oddText, v.evenText, v.asciiText};
}

CPagePainter::CPagePainter(const PrintSource& source, QPaintDevice* device) : source_(source)
{
    const QFontInfo screen(source.viewFont);
    const int points = FontPoints(screen.pixelSize(), source.screenDpi);
    QFont printerFont = source.viewFont;
    printerFont.setPixelSize(PrinterFontPixels(points, device ? device->logicalDpiY() : source.screenDpi));
    font_.SetFont(printerFont, device);
    if (source_.buffer)
        cursor_.Bind(source_.buffer, false, 0);
    source_.rangeStart = std::max<int64_t>(0, source_.rangeStart);
    source_.rangeEnd = std::max(source_.rangeStart, source_.rangeEnd);
}

CPagePainter::Body CPagePainter::LayOut(const PageGeometry& page)
{
    Body body;
    body.rows = PageMarginRect(page);
    const int textHeight = font_.LineHeight();
    body.rows.setTop(body.rows.top() + 3 * textHeight);
    body.rows.setBottom(std::max(body.rows.top() - 1, body.rows.bottom() - 3 * textHeight));

    if (!layoutDone_) {
        LayoutOptions o = source_.options;
        o.showSizeBar = false;
        o.charWidth = font_.CharWidth();
        o.lineHeight = font_.LineHeight();
        const int width = std::max(0, body.rows.width());
        // Paper gets fewer bytes per row only when the screen's row is too wide.
        if (RowWidthFor(o, o.bytesPerRow) > width)
            o.bytesPerRow = FitBytesPerRow(o, o.bytesPerRow, width);
        layout_ = RowLayout::Make(o);
        layoutDone_ = true;
    }
    body.range.start = source_.rangeStart;
    body.range.end = source_.rangeEnd;
    body.range.bytesPerRow = layout_.bytesPerRow;
    body.range.rowsPerPage = RowsPerPage(body.rows.height(), layout_.lineHeight);
    return body;
}

int64_t CPagePainter::PageCount(const PageGeometry& page)
{
    return LayOut(page).range.PageCount();
}

bool CPagePainter::PaintPage(QPainter& painter, const PageGeometry& page, int64_t pageNumber)
{
    ++pagesPainted_;
    const Body body = LayOut(page);
    const QRect margins = PageMarginRect(page);

    painter.save();
    painter.setFont(font_.Font());
    painter.setPen(QColor(Qt::black));  // the printer's default text colour
    const int h = font_.LineHeight();
    const QString title = source_.title.isEmpty() ? QStringLiteral("<Untitled>") : source_.title;
    painter.drawText(QRect(margins.left(), margins.top(), margins.width(), h), Qt::AlignHCenter | Qt::AlignTop, title);
    painter.drawText(QRect(margins.left(), margins.bottom() + 1 - h, margins.width(), h), Qt::AlignHCenter | Qt::AlignBottom,
                     QString::number(qlonglong(pageNumber)));
    PaintRows(painter, body, pageNumber);
    painter.restore();

    const bool last = body.range.IsLastPage(pageNumber);
    if (last)
        lastPage_ = pageNumber;
    return last;
}

void CPagePainter::PaintRows(QPainter& painter, const Body& body, int64_t pageNumber)
{
    const RowLayout& l = layout_;
    const PrintColors& c = source_.colors;
    const int64_t start = source_.rangeStart;
    const int64_t end = source_.rangeEnd;
    int64_t rowStart = body.range.PageStart(pageNumber);
    if (rowStart >= end || !source_.buffer)
        return;

    GlyphBatch batch(font_);
    cursor_.Seek(rowStart);
    uint8_t bytes[kMaxBytesPerRow];
    for (int r = 0; r < body.range.rowsPerPage && rowStart < end; ++r, rowStart += l.bytesPerRow) {
        const int count = int(std::min<int64_t>(l.bytesPerRow, end - rowStart));
        cursor_.Read(bytes, count);
        const RowText row = BuildRowText(l, rowStart, bytes, count, source_.showAllChars);
        // Bytes of the first row before the range are left blank.
        const int skip = int(std::clamp<int64_t>(start - rowStart, 0, count));
        const int x = body.rows.left();
        const int baseline = body.rows.top() + r * l.lineHeight + font_.Ascent();
        batch.AddText(c.offsetText, row.offsetText, x + row.offsetX, baseline);
        if (l.hexShown) {
            for (int i = skip; i < count; ++i) {
                const QColor& group = (i / l.groupSize) % 2 == 0 ? c.oddText : c.evenText;
                const int cell = l.HexCellOfByte(i);
                const int cells = i + 1 < count ? l.HexCellOfByte(i + 1) - cell : 2;
                batch.AddText(group, QStringView(row.hex).mid(cell, cells), x + row.hexX + l.Px(cell), baseline);
            }
        }
        if (l.charShown)
            batch.AddText(c.asciiText, QStringView(row.chars).mid(skip, count - skip), x + row.charX + l.Px(skip), baseline);
        cursor_.Forward(l.bytesPerRow);
    }
    batch.Flush(painter);
}
