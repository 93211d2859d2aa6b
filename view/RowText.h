#pragma once
// The text of one row as the view draws it: the offset, the hexadecimal pairs
// with their group blanks and dash, and the characters, each with the x where
// it starts. The painter draws exactly these strings, one character per cell.
#include "RowLayout.h"

#include <QString>
#include <cstdint>

struct RowText {
    int64_t offset = 0;  // file offset of the row's first byte
    int count = 0;       // bytes the row holds (0 for the empty last row)
    QString offsetText;  // drawn at offsetX
    QString hex;         // drawn at hexX; empty when the hex column is hidden
    QString chars;       // drawn at charX; empty when the character column is hidden
    int offsetX = 0;     // pixels from the left edge of the unscrolled row
    int hexX = 0;
    int charX = 0;
};

// 8 upper-case hexadecimal digits (offsetFormat 1) or 10 decimal digits
// (offsetFormat 0), with leading zeros.
QString FormatOffset(int64_t offset, int offsetFormat, int digits = 0);

// The character a byte is shown as: with showAllChars the character with the
// same code (0 to 255), otherwise 32 to 126 as themselves and "." for the rest.
QChar DisplayChar(uint8_t byte, bool showAllChars);

// Two digits per byte, a blank after every group but the last, and "-" in
// place of the blank at dashChar when the row holds more than dashByte bytes.
// A short row ends after its last digit. Bytes from readable on could not be
// read from the disk: they show as "??" (and "?" below), which no byte's
// digits can be mistaken for.
QString HexText(const RowLayout& layout, const uint8_t* bytes, int count, int readable = INT32_MAX);

// bytesPerRow characters; a short row is padded with blanks.
QString CharText(const RowLayout& layout, const uint8_t* bytes, int count, bool showAllChars,
                 int readable = INT32_MAX);

RowText BuildRowText(const RowLayout& layout, int64_t offset, const uint8_t* bytes, int count, bool showAllChars,
                     int readable = INT32_MAX);
