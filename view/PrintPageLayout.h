#pragma once
// The arithmetic of a printed page: margins, the printer font's size, rows per
// page and where each page starts in the printed range. Pure integers, so the
// rules are tested without a printer.
#include <QRect>
#include <cstdint>

// A page as the painter sees it, in device pixels: the sheet of paper and
// the part the printer can reach, both in the painter's coordinates.
struct PageGeometry {
    QRect paper;
    QRect printable;
    int dpiX = 72;
    int dpiY = 72;
};

// a * b / c rounded to the nearest integer (c > 0), without overflow.
int MulDivRound(int a, int b, int c);

// The paper less half an inch left and right and three quarters of an inch
// top and bottom, measured from the paper's edges and kept inside the part
// the printer can reach. Never negative in size.
QRect PageMarginRect(const PageGeometry& page);

// The view font's size in whole points from its em height in screen pixels,
// and the printer font's em height in printer pixels for that size. Font
// engines report overflowed (negative) metrics for glyphs much taller than
// this limit, so larger sizes print at it: still taller than any page.
constexpr int kMaxPrinterFontPixels = 8000;
int FontPoints(int screenPixels, int screenDpi);
int PrinterFontPixels(int points, int printerDpi);

// Rows that fit height; at least one, so a huge font still moves on page by
// page instead of printing nothing forever.
int RowsPerPage(int height, int lineHeight);

// The range [rangeStart, rangeEnd) printed in rows of bytesPerRow, the first
// row starting at rangeStart rounded down to a row boundary. Offsets and page
// numbers are 64-bit: a file of up to 2^63 - 1 bytes has billions of pages.
struct PrintRange {
    int64_t start = 0;
    int64_t end = 0;
    int bytesPerRow = 16;
    int rowsPerPage = 1;

    int64_t FirstRowStart() const { return start / bytesPerRow * bytesPerRow; }
    // The offset of page's first row (pages count from 1); a page past the
    // last one starts at the end of the range or beyond it, never wrapped.
    int64_t PageStart(int64_t page) const;
    // Pages the range fills; an empty range still prints one page.
    int64_t PageCount() const;
    // The range ends on page: its rows reach rangeEnd, or it is past the end.
    bool IsLastPage(int64_t page) const;
};
