#pragma once
// Row geometry of the hex view: where the offset, hex and character columns
// and the size bar sit in a row, in character cells of the view font and in
// pixels. Pure arithmetic, so every rule is tested without a window.
#include <cstdint>

constexpr int kMaxBytesPerRow = 256;

// Bits of the `Columns` setting.
constexpr int kHexColumn = 1;
constexpr int kCharColumn = 2;

// What the layout is derived from: the display settings and the font's cell.
struct LayoutOptions {
    int bytesPerRow = 16;
    int groupBy = 0;       // 0..3: groups of 1, 2, 4, 8 bytes
    int columns = 3;       // kHexColumn | kCharColumn; 0 counts as both
    int offsetFormat = 1;  // 1 hexadecimal, 0 decimal
    int64_t fileSize = 0;  // the offset column widens for offsets past 8 hex or 10 decimal digits
    bool showDash = true;
    bool showSizeBar = false;
    int charWidth = 8;
    int lineHeight = 16;
};

struct RowLayout {
    int bytesPerRow = 16;
    int groupSize = 1;
    int groups = 16;
    int charWidth = 8;
    int lineHeight = 16;
    int offsetDigits = 8;
    bool decimalOffsets = false;
    bool hexShown = true;
    bool charShown = true;
    bool showSizeBar = false;

    // Column positions in cells from the left edge of the unscrolled row.
    int offsetX = 1;
    int offsetEnd = 9;
    int hexX = 11;
    int hexChars = 47;
    int hexEnd = 58;
    int charX = 60;
    int charChars = 16;
    int charEnd = 76;
    int sizeBarX = 77;

    int dashByte = 8;   // the byte before which the dash stands
    int dashChar = 23;  // index of that separator in the hex text
    bool dashShown = true;

    int totalCells = 77;  // the full row width in cells
    int totalWidth = 616; // the same in pixels

    static RowLayout Make(const LayoutOptions& options);

    int Px(int cells) const { return cells * charWidth; }
    // Cell index in the hex text of the first digit of the byte at column i.
    int HexCellOfByte(int i) const { return i / groupSize + 2 * i; }
};

// Digits of the offset column: 8 hexadecimal or 10 decimal, more where an
// offset up to fileSize needs them.
int OffsetDigitsFor(int64_t fileSize, bool decimal);
int GroupSizeFromGroupBy(int groupBy);
// The `Columns` value with neither column counted as both.
int EffectiveColumns(int columns);
// A multiple of groupSize from max(groupSize, 2) to 256, rounding down.
int NormalizeBytesPerRow(int bytesPerRow, int groupSize);
// totalWidth in pixels for k bytes per row with the other options unchanged.
int RowWidthFor(const LayoutOptions& options, int bytesPerRow);
// The x (pixels, unscrolled) of the size bar for k bytes per row.
int SizeBarXFor(const LayoutOptions& options, int bytesPerRow);

// The most bytes per row whose row still fits clientWidth, searched from n in
// steps of the group size.
int FitBytesPerRow(const LayoutOptions& options, int n, int clientWidth);
// The bytes per row whose size bar stands nearest the mouse (x in unscrolled
// pixels): candidates from the smallest upward while the distance shrinks.
int SizeBarCandidate(const LayoutOptions& options, int mouseX);
// The mouse (client x) is within half a character of the size bar.
bool IsOverSizeBar(const RowLayout& layout, int clientX, int hScroll);
