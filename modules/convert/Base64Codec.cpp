#include "Base64Codec.h"
#include "SixBitGroup.h"

#include <array>
#include <cstring>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kLineBytes = 57; // 19 groups, 76 characters
constexpr uint8_t kNotInAlphabet = kNoSixBits;

constexpr SixBitTable MakeDecodeTable()
{
    SixBitTable table{};
    for (auto& value : table)
        value = kNotInAlphabet;
    for (int i = 0; i < 64; ++i)
        table[uint8_t(kAlphabet[i])] = uint8_t(i);
    return table;
}

constexpr SixBitTable kDecode = MakeDecodeTable();

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
    Base64Decoder decoder;
    const size_t count = decoder.Convert(text, length, out);
    return count + decoder.Finish(out + count);
}

size_t Base64Decoder::Convert(const uint8_t* text, size_t length, uint8_t* out)
{
    uint8_t* const start = out;
    size_t i = 0;
    while (i < length) {
        // Four alphabet characters in a row, the usual case, in one step.
        if (count_ == 0 && length - i >= 4 && DecodeSixBitGroup(kDecode, text + i, out)) {
            out += 3;
            i += 4;
            continue;
        }
        const uint8_t value = kDecode[text[i++]];
        if (value == kNotInAlphabet)
            continue;
        bits_ = bits_ << 6 | value;
        if (++count_ == 4) {
            *out++ = uint8_t(bits_ >> 16);
            *out++ = uint8_t(bits_ >> 8);
            *out++ = uint8_t(bits_);
            bits_ = 0;
            count_ = 0;
        }
    }
    return size_t(out - start);
}

size_t Base64Decoder::Finish(uint8_t* out)
{
    // Only whole bytes: two characters hold one, three hold two.
    size_t count = 0;
    if (count_ == 2) {
        out[count++] = uint8_t(bits_ >> 4);
    } else if (count_ == 3) {
        out[count++] = uint8_t(bits_ >> 10);
        out[count++] = uint8_t(bits_ >> 2);
    }
    bits_ = 0;
    count_ = 0;
    return count;
}
