#pragma once
// Paints the rows of the hex view that cross an update area: background,
// offsets, hex groups in alternating colours, characters, selection runs,
// the later tools' marks and the size bar. It reads only the rows it paints,
// through a copy of the view's top position, and draws the strings of
// BuildRowText. Window-free: it paints on any QPainter.
#include "CellFont.h"
#include "GlyphCellCache.h"
#include "RowLayout.h"
#include "ViewColors.h"
#include "core/BufferPos.h"

#include <QRect>
#include <cstdint>
#include <utility>
#include <vector>

class QPainter;

struct RowPaintState {
    const RowLayout* layout = nullptr;
    const CellFont* font = nullptr;
    // Cells to copy instead of drawing each glyph; none draws every glyph.
    GlyphCellCache* cells = nullptr;
    ViewColors colors;
    CBufferPos top;  // an unregistered copy of the view's top row
    int64_t size = 0;
    int hScroll = 0;
    bool showAllChars = false;

    bool hasSelection = false;
    int64_t selStart = 0;
    int64_t selEnd = 0;
    bool caretInHex = true;
    bool activeView = true;

    // Marks of the active view only: bookmarked offsets (ascending) and the
    // inspector's value [dataStart, dataEnd).
    std::vector<int64_t> bookmarks;
    int64_t dataStart = 0;
    int64_t dataEnd = 0;
    // Stretches [start, end) that differ from a compared file, ascending.
    std::vector<std::pair<int64_t, int64_t>> differences;
};

// area is in client pixels; row r of the window spans y = r * lineHeight.
void PaintRows(QPainter& painter, const QRect& area, const RowPaintState& state);

// First and last window row (inclusive) that cross the area.
std::pair<int, int> RowsCrossing(const QRect& area, int lineHeight);
