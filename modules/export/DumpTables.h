#pragma once
// Lookup tables that turn bytes into dump text without per-byte formatting
// calls: upper-case hex pairs, the character column's text in the 8-bit code
// page, and the row offsets.
#include <cstdint>

namespace exporter {

struct CharText {
    uint8_t length; // 1 or 2 bytes of code-page text
    char bytes[2];
};

class DumpTables {
public:
    explicit DumpTables(bool showAllChars);

    // Two upper-case hexadecimal digits.
    const char* Hex(uint8_t byte) const { return hexPairs_[byte]; }
    // The character shown for a byte: "." for control codes (and, without
    // all characters, for codes above 126), else the character of that code.
    const CharText& Char(uint8_t byte) const { return chars_[byte]; }
    // The Unicode character shown for a byte.
    char16_t Shown(uint8_t byte) const { return shown_[byte]; }
    // Whether every byte's character is written as one byte of text.
    bool SingleByteChars() const { return singleByte_; }

private:
    bool singleByte_ = true;
    char hexPairs_[256][2];
    CharText chars_[256];
    char16_t shown_[256];
};

// Writes the row offset, 8 upper-case hex digits or 10 decimal digits,
// zero-padded; returns the end.
char* WriteOffset(char* out, int64_t offset, bool decimal);
inline int OffsetWidth(bool decimal) { return decimal ? 10 : 8; }

} // namespace exporter
