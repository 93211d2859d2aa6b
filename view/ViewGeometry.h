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
    int32_t offset = 0;
    bool hex = true;         // the point is in the hexadecimal column
    bool endOfRow = false;   // shown at the end of the row above offset
};

// x, y in client pixels; top is the offset of the first visible row.
HitResult HitTestPoint(const RowLayout& layout, int32_t top, int32_t size, int hScroll, int x, int y);

struct CaretPlace {
    QPoint point;              // client pixels of the caret's top-left corner
    bool aboveWindow = false;  // the caret lies before the top row
};

CaretPlace CaretPointFor(const RowLayout& layout, int32_t caret, int32_t top, bool endOfRow, bool lowNibblePending,
                         bool hex, int hScroll);

// The caret is drawn only inside the client area and only without a selection.
bool CaretVisible(const CaretPlace& place, int clientWidth, int clientHeight, bool hasSelection);

// Whole rows that fit the client height.
int RowsInWindow(int clientHeight, int lineHeight);

// The largest top row start: the last row of the file (or the empty row after
// a file that fills its last row) stands at the bottom of the window.
int32_t TopLimit(int32_t size, int bytesPerRow, int rowsInWindow);
// offset clamped to [0, TopLimit] and rounded down to a row start.
int32_t ClampTop(int64_t offset, int32_t size, int bytesPerRow, int rowsInWindow);

// The vertical scroll bar counts rows, so that a 2,147,483,647-byte file fits
// a 32-bit position: positions run from 0 to maximum, page rows at a time.
struct ScrollRange {
    int maximum = 0;
    int page = 1;
};
ScrollRange VerticalScrollRange(int32_t size, int bytesPerRow, int rowsInWindow);

int HScrollLimit(int totalWidth, int clientWidth);

// The top that brings the caret's row into the window, scrolling as little as
// possible and leaving no blank rows below the end while more lies above.
int32_t TopForCaret(int32_t caret, bool endOfRow, int32_t top, int32_t size, int bytesPerRow, int rowsInWindow);

// The horizontal position that brings the caret's x (client pixels) into the
// window, moving in fifths of the client width.
int HScrollForCaret(int caretX, int hScroll, int clientWidth);

// top moved onto a row start of newBytesPerRow: back to its row start when
// the rows got shorter or too few bytes follow, else forward to the next one.
int32_t RealignTop(int32_t top, int oldBytesPerRow, int newBytesPerRow, int32_t size);
