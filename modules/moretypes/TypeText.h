#pragma once
// Text handling shared by the types: the contract's UTF-16 texts to and from
// plain ASCII, and the integer syntax the whole editor uses.
#include "modules/common/HexDigit.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace moretypes {

// Copies ASCII text into the host's buffer, NUL-terminated; `capacity`
// counts the terminator.
void WriteText(std::string_view ascii, char16_t* text, int capacity);

// The text without surrounding white space, or nothing when it holds a
// character outside ASCII (no type writes one).
std::optional<std::string> TrimmedAscii(const char16_t* text);

// Optional sign, then decimal, "0x" hexadecimal or a leading "0" octal
// digits, nothing else. Fails on overflow of 64 bits.
struct ParsedInteger {
    bool negative = false;
    uint64_t magnitude = 0;
    int radix = 10;
};
std::optional<ParsedInteger> ParseIntegerText(std::string_view text);

// Decimal with a sign, or "0x" and upper-case hex digits of the raw value.
std::string IntegerText(int64_t value, uint64_t rawBits, int radix);

bool IsHexDigit(char c);

// Reports the radix a parse read, where the host asked for it; returns 1.
int32_t Parsed(int32_t* radixOut, int radix = 10);

} // namespace moretypes
