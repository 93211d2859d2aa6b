#pragma once
// Layout and colour files (".lay"): the Display options in 100 bytes that
// travel between machines. All integers are 32-bit little-endian:
//   0 "LAYT", 4 version 1, 8 bytes per row, 12 auto fit, 16 group-by index,
//   20 show dash, 24 columns, 28 show size bar, 32 offset radix,
//   36 sixteen colour words (the twelve display-item colours, four zeros).
#include <QByteArray>
#include <QString>
#include <cstdint>

struct LayoutValues {
    int bytesPerRow = 16;
    bool sizeToFit = false;
    int groupBy = 0;
    bool showDash = true;
    int columns = 3;
    bool showSizeBar = false;
    int offsetFormat = 1;
    uint32_t colors[16] = {};

    bool operator==(const LayoutValues&) const = default;
};

constexpr int kLayoutFileSize = 100;

QByteArray EncodeLayoutFile(const LayoutValues& values);

enum class LayoutFileError { None, NotALayout, UnknownVersion };
// Reads a file's bytes. A file without "LAYT" is not a layout; one of
// another version is UnknownVersion; a version 1 file must be exactly 100
// bytes with every value in its range (bytes per row 2 to 256, flags 0 or 1, group-by
// 0 to 3, columns 1 to 3, radix 0 or 1, colours either 0x00BBGGRR or a
// system colour, the four spare words zero) or is refused as not a layout
// file, so nothing out of range ever reaches the settings.
LayoutFileError DecodeLayoutFile(const QByteArray& bytes, LayoutValues* values);
QString LayoutFileMessage(LayoutFileError error);
