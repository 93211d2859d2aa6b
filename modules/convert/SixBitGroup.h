#pragma once
// Base64 and uuencode both carry three bytes in four characters of six bits.
#include <array>
#include <cstdint>

// A table of each character's six bits in which 0x80 marks the characters
// that carry none (outside the alphabet, or a line break).
using SixBitTable = std::array<uint8_t, 256>;
constexpr uint8_t kNoSixBits = 0x80;

// The three bytes of four characters; false, writing nothing, when one of
// them is marked.
inline bool DecodeSixBitGroup(const SixBitTable& table, const uint8_t* text, uint8_t* out)
{
    const uint32_t a = table[text[0]], b = table[text[1]], c = table[text[2]], d = table[text[3]];
    if ((a | b | c | d) & kNoSixBits)
        return false;
    const uint32_t group = a << 18 | b << 12 | c << 6 | d;
    out[0] = uint8_t(group >> 16);
    out[1] = uint8_t(group >> 8);
    out[2] = uint8_t(group);
    return true;
}
