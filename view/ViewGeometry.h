#pragma once
// Where things are in the hex view: which byte a point hits, where the caret
// stands, and how far the view may scroll. Pure functions over the row
// layout and the view's top row, so the editing code and the tests share them.
#include "RowLayout.h"

#include <QPoint>
#include <cstdint>

constexpr int kCaretWidth = 2;

// The byte boundary a mouse point falls on.
struct HitResult {
    int64_t offset = 0;
    bool hex = true;         // the point is in the hexadecimal column
    bool endOfRow = false;   // shown at the end of the row above offset
};

// x, y in client pixels; top is the offset of the first visible row.
HitResult HitTestPoint(const RowLayout& layout, int64_t top, int64_t size, int hScroll, int x, int y);

struct CaretPlace {
    QPoint point;              // client pixels of the caret's top-left corner
    bool aboveWindow = false;  // the caret lies before the top row
};

CaretPlace CaretPointFor(const RowLayout& layout, int64_t caret, int64_t top, bool endOfRow, bool lowNibblePending,
                         bool hex, int hScroll);

// The caret is drawn only inside the client area and only without a selection.
bool CaretVisible(const CaretPlace& place, int clientWidth, int clientHeight, bool hasSelection);

// Whole rows that fit the client height.
int RowsInWindow(int clientHeight, int lineHeight);

// The largest top row start: the last row of the file (or the empty row after
// a file that fills its last row) stands at the bottom of the window.
int64_t TopLimit(int64_t size, int bytesPerRow, int rowsInWindow);
// offset clamped to [0, TopLimit] and rounded down to a row start.
int64_t ClampTop(int64_t offset, int64_t size, int bytesPerRow, int rowsInWindow);

// The vertical scroll bar holds an int. Its positions are the top rows one
// to one while they fit kBarPositions (every file below 2 GiB, at any row
// width); beyond, the positions are spread over the rows in proportion, the
// first and the last position standing for the first and the last top row
// exactly. Arrows and pages move by rows (TopAfterStep), never by positions.
constexpr int kBarPositions = 1 << 30;

struct ScrollRange {
    int maximum = 0;
    int page = 1;
    int64_t lastTopRow = 0;  // the largest top row

    int PositionOfRow(int64_t topRow) const;
    int64_t RowOfPosition(int position) const;
};
ScrollRange VerticalScrollRange(int64_t size, int bytesPerRow, int rowsInWindow);

// The exact moves of the scroll bar's arrows, page areas and ends.
enum class ScrollStep { RowUp, RowDown, PageUp, PageDown, First, Last };
// The top after step from top (both offsets of row starts), clamped.
int64_t TopAfterStep(ScrollStep step, int64_t top, int64_t size, int bytesPerRow, int rowsInWindow);

int HScrollLimit(int totalWidth, int clientWidth);

// The top that brings the caret's row into the window, scrolling as little as
// possible and leaving no blank rows below the end while more lies above.
int64_t TopForCaret(int64_t caret, bool endOfRow, int64_t top, int64_t size, int bytesPerRow, int rowsInWindow);

// The horizontal position that brings the caret's x (client pixels) into the
// window, moving in fifths of the client width.
int HScrollForCaret(int caretX, int hScroll, int clientWidth);

// top moved onto a row start of newBytesPerRow: back to its row start when
// the rows got shorter or too few bytes follow, else forward to the next one.
int64_t RealignTop(int64_t top, int oldBytesPerRow, int newBytesPerRow, int64_t size);
