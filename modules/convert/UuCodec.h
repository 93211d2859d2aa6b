#pragma once
// The traditional uuencode line format, without "begin" and "end" lines:
// lines of up to 45 bytes, each a length character, four characters per
// three bytes and CR LF. A 6-bit value v is the character 32 + v, except
// that 0 is the backquote, so encoded text holds no spaces.
#include <cstddef>
#include <cstdint>
#include <optional>

size_t UuEncodedSize(size_t length);
// out needs UuEncodedSize(length) bytes; returns the count written.
size_t UuEncode(const uint8_t* in, size_t length, uint8_t* out);

// Decodes text written by any uuencoder (spaces or backquotes for zero, CR
// or LF line ends, "begin"/"end" lines skipped). Fails, giving nothing, when
// a line breaks before it holds the bytes its length character announces.
// When the text ends inside a group, the missing characters count as zero;
// no group is invented after the end of the text.
size_t UuDecodedCapacity(size_t textLength);
std::optional<size_t> UuDecode(const uint8_t* text, size_t length, uint8_t* out);
