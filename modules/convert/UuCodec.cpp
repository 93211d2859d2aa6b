#include "UuCodec.h"

namespace {

constexpr size_t kLineBytes = 45;
constexpr uint8_t CR = 0x0D;
constexpr uint8_t LF = 0x0A;

inline uint8_t EncodeSixBits(uint32_t value) { return value == 0 ? uint8_t('`') : uint8_t(32 + value); }
inline uint32_t DecodeSixBits(uint8_t c) { return uint32_t(c - 32) & 63; } // a backquote gives 0
inline bool IsLineBreak(uint8_t c) { return c == CR || c == LF; }
inline bool IsLower(uint8_t c) { return c >= 'a' && c <= 'z'; }
inline uint8_t ToLower(uint8_t c) { return c >= 'A' && c <= 'Z' ? uint8_t(c - 'A' + 'a') : c; }

size_t LineLengthFrom(const uint8_t* text, size_t length)
{
    size_t n = 0;
    while (n < length && !IsLineBreak(text[n]))
        ++n;
    return n;
}

// 0: no marker; otherwise the length of "begin" or "end" at the line start.
size_t MarkerLength(const uint8_t* line, size_t length)
{
    for (const char* marker : {"begin", "end"}) {
        size_t i = 0;
        while (marker[i] && i < length && ToLower(line[i]) == uint8_t(marker[i]))
            ++i;
        if (!marker[i])
            return i;
    }
    return 0;
}

// "begin" and "end" lines are skipped whatever their case. Written all in
// capitals, though, they are also valid data: "END..." can open a 37-byte
// line and "BEGIN..." a 34-byte one. Such a line is data when it is long
// enough for the bytes its first character announces, and a marker when not.
bool IsMarkerLine(const uint8_t* line, size_t lineLength)
{
    const size_t marker = MarkerLength(line, lineLength);
    if (marker == 0)
        return false;
    for (size_t i = 0; i < marker; ++i) {
        if (IsLower(line[i]))
            return true; // lower-case letters never occur in uuencoded data
    }
    const size_t announced = DecodeSixBits(line[0]);
    return lineLength < 1 + (announced + 2) / 3 * 4;
}

} // namespace

size_t UuEncodedSize(size_t length)
{
    const size_t lines = (length + kLineBytes - 1) / kLineBytes;
    return lines * 3 + (length + 2) / 3 * 4;
}

size_t UuEncode(const uint8_t* in, size_t length, uint8_t* out)
{
    uint8_t* const start = out;
    while (length > 0) {
        const size_t lineBytes = length < kLineBytes ? length : kLineBytes;
        *out++ = uint8_t(32 + lineBytes);
        for (size_t done = 0; done < lineBytes; done += 3) {
            // A short last group is completed with spaces; the length
            // character tells decoders to drop them.
            const uint8_t b0 = in[done];
            const uint8_t b1 = done + 1 < lineBytes ? in[done + 1] : uint8_t(0x20);
            const uint8_t b2 = done + 2 < lineBytes ? in[done + 2] : uint8_t(0x20);
            out[0] = EncodeSixBits(b0 >> 2);
            out[1] = EncodeSixBits((b0 & 3u) << 4 | b1 >> 4);
            out[2] = EncodeSixBits((b1 & 15u) << 2 | b2 >> 6);
            out[3] = EncodeSixBits(b2 & 63u);
            out += 4;
        }
        *out++ = CR;
        *out++ = LF;
        in += lineBytes;
        length -= lineBytes;
    }
    return size_t(out - start);
}

size_t UuDecodedCapacity(size_t textLength)
{
    // Every complete group takes four characters for three bytes; only the
    // group cut short by the end of the text can take fewer.
    return textLength / 4 * 3 + 3;
}

std::optional<size_t> UuDecode(const uint8_t* text, size_t length, uint8_t* out)
{
    uint8_t* const start = out;
    size_t pos = 0;
    while (pos < length) {
        if (IsLineBreak(text[pos])) {
            ++pos;
            continue;
        }
        const size_t lineLength = LineLengthFrom(text + pos, length - pos);
        if (IsMarkerLine(text + pos, lineLength)) {
            pos += lineLength;
            continue;
        }
        uint32_t owed = DecodeSixBits(text[pos++]);
        while (owed > 0 && pos < length) {
            uint32_t bits = 0;
            for (int i = 0; i < 4; ++i) {
                uint32_t value = 0;
                if (pos < length) {
                    if (IsLineBreak(text[pos]))
                        return std::nullopt; // the line is shorter than announced
                    value = DecodeSixBits(text[pos++]);
                }
                bits = bits << 6 | value;
            }
            const uint8_t bytes[3] = {uint8_t(bits >> 16), uint8_t(bits >> 8), uint8_t(bits)};
            const uint32_t keep = owed < 3 ? owed : 3;
            for (uint32_t i = 0; i < keep; ++i)
                *out++ = bytes[i];
            owed -= keep;
        }
        pos += LineLengthFrom(text + pos, length - pos);
    }
    return size_t(out - start);
}
