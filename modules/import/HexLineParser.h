#pragma once
// Reads the bytes spelled by one line of hexadecimal text. Two layouts are
// understood, chosen on the first non-empty line and kept for the rest:
// plain hex text (anything after a double space ignored) and the text
// dump (offset, hex column, character column, separated by two or more
// white-space characters; only the hex column is read).
#include <cstddef>
#include <cstdint>

namespace importer {

// Longest line the reader accepts, in bytes of code-page text without its
// line end. A line spells at most half as many bytes.
inline constexpr size_t kMaxLineLength = 4095;
inline constexpr size_t kMaxLineBytes = kMaxLineLength / 2;

class HexLineParser {
public:
    enum class Layout { Undecided, Plain, Dump };
    enum class Outcome { Bytes, Empty, NotRecognised };

    // Parses one line (no line end; it ends at its first NUL, if any).
    // Bytes: count bytes were written to out, which must hold at least
    // length / 2 + 1 bytes. Empty: a blank line, skipped.
    Outcome Parse(const char* line, size_t length, uint8_t* out, size_t& count);

    Layout CurrentLayout() const { return layout_; }

private:
    Layout layout_ = Layout::Undecided;
};

} // namespace importer
