#pragma once
// Base64 with the RFC 2045 alphabet and "=" padding, in lines of 76
// characters (57 input bytes) separated by CR LF. A full last line keeps its
// CR LF; a shorter last line has none.
#include "WholeLineEncoder.h"

#include <cstddef>
#include <cstdint>

size_t Base64EncodedSize(size_t length);
// out needs Base64EncodedSize(length) bytes; returns the count written.
size_t Base64Encode(const uint8_t* in, size_t length, uint8_t* out);

// Decoding skips every character outside the alphabet (line breaks, spaces,
// "=" and anything else), so it never fails: every four alphabet characters
// give three bytes, a final two or three give one or two.
size_t Base64DecodedCapacity(size_t textLength);
size_t Base64Decode(const uint8_t* text, size_t length, uint8_t* out);

// The same two conversions over input that arrives in pieces of any size:
// Convert each piece, then Finish once. The output is byte for byte that of
// the whole-input functions above, whatever the pieces.
using Base64Encoder = WholeLineEncoder<57, 76, Base64EncodedSize, Base64Encode>;

class Base64Decoder {
public:
    static size_t MaxOutput(size_t count) { return (count + 3) / 4 * 3; }
    static constexpr size_t kMaxFinish = 2;
    size_t Convert(const uint8_t* text, size_t length, uint8_t* out);
    size_t Finish(uint8_t* out);

private:
    // Up to three characters of a group not yet complete.
    uint32_t bits_ = 0;
    int count_ = 0;
};
