#pragma once
// Base64 with the RFC 2045 alphabet and "=" padding, in lines of 76
// characters (57 input bytes) separated by CR LF. A full last line keeps its
// CR LF; a shorter last line has none.
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
