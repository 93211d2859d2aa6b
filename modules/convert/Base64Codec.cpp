#include "Base64Codec.h"

#include <array>
#include <cstring>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kLineBytes = 57; // 19 groups, 76 characters
constexpr uint8_t kNotInAlphabet = 0xFF;

constexpr std::array<uint8_t, 256> MakeDecodeTable()
{
    std::array<uint8_t, 256> table{};
    for (auto& value : table)
        value = kNotInAlphabet;
    for (int i = 0; i < 64; ++i)
        table[uint8_t(kAlphabet[i])] = uint8_t(i);
    return table;
}

constexpr std::array<uint8_t, 256> kDecode = MakeDecodeTable();

// The two characters of every 12-bit value, in output order: encoding then
// takes two lookups per three bytes instead of four.
constexpr std::array<std::array<uint8_t, 2>, 4096> MakePairTable()
{
    std::array<std::array<uint8_t, 2>, 4096> table{};
    for (int i = 0; i < 4096; ++i)
        table[size_t(i)] = {uint8_t(kAlphabet[i >> 6]), uint8_t(kAlphabet[i & 63])};
    return table;
}

constexpr std::array<std::array<uint8_t, 2>, 4096> kPairs = MakePairTable();

inline uint8_t* EncodeGroup(const uint8_t* in, uint8_t* out)
{
    const uint32_t bits = uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
    std::memcpy(out, kPairs[bits >> 12].data(), 2);
    std::memcpy(out + 2, kPairs[bits & 0xFFF].data(), 2);
    return out + 4;
}

} // namespace

size_t Base64EncodedSize(size_t length)
{
    const size_t fullLines = length / kLineBytes;
    const size_t rest = length % kLineBytes;
    return fullLines * 78 + (rest + 2) / 3 * 4;
}

size_t Base64Encode(const uint8_t* in, size_t length, uint8_t* out)
{
    uint8_t* const start = out;
    const uint8_t* const end = in + length;
    while (size_t(end - in) >= kLineBytes) {
        for (int group = 0; group < 19; ++group, in += 3)
            out = EncodeGroup(in, out);
        *out++ = '\r';
        *out++ = '\n';
    }
    while (end - in >= 3) {
        out = EncodeGroup(in, out);
        in += 3;
    }
    if (end - in > 0) {
        const uint8_t last[3] = {in[0], end - in > 1 ? in[1] : uint8_t(0), 0};
        out = EncodeGroup(last, out);
        out[-1] = '=';
        if (end - in == 1)
            out[-2] = '=';
    }
    return size_t(out - start);
}

size_t Base64DecodedCapacity(size_t textLength) { return textLength / 4 * 3 + 2; }

size_t Base64Decode(const uint8_t* text, size_t length, uint8_t* out)
{
    uint8_t* const start = out;
    uint32_t bits = 0;
    int count = 0;
    for (size_t i = 0; i < length; ++i) {
        const uint8_t value = kDecode[text[i]];
        if (value == kNotInAlphabet)
            continue;
        bits = bits << 6 | value;
        if (++count == 4) {
            *out++ = uint8_t(bits >> 16);
            *out++ = uint8_t(bits >> 8);
            *out++ = uint8_t(bits);
            bits = 0;
            count = 0;
        }
    }
    // Only whole bytes: two characters hold one, three hold two.
    if (count == 2) {
        *out++ = uint8_t(bits >> 4);
    } else if (count == 3) {
        *out++ = uint8_t(bits >> 10);
        *out++ = uint8_t(bits >> 2);
    }
    return size_t(out - start);
}
