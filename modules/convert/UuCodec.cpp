#include "UuCodec.h"
#include "SixBitGroup.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr size_t kLineBytes = 45;
constexpr uint8_t CR = 0x0D;
constexpr uint8_t LF = 0x0A;

constexpr uint8_t EncodeSixBits(uint32_t value) { return value == 0 ? uint8_t('`') : uint8_t(32 + value); }
constexpr uint32_t DecodeSixBits(uint8_t c) { return uint32_t(c - 32) & 63; } // a backquote gives 0
constexpr bool IsLineBreak(uint8_t c) { return c == CR || c == LF; }
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
// A line break never matches a letter, so the text after the line start may
// run past the line.
size_t MarkerLength(const uint8_t* line, size_t available)
{
    for (const char* marker : {"begin", "end"}) {
        size_t i = 0;
        while (marker[i] && i < available && ToLower(line[i]) == uint8_t(marker[i]))
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
bool IsMarkerLine(const uint8_t* line, size_t available)
{
    const size_t marker = MarkerLength(line, available);
    if (marker == 0)
        return false;
    for (size_t i = 0; i < marker; ++i) {
        if (IsLower(line[i]))
            return true; // lower-case letters never occur in uuencoded data
    }
    const size_t announced = DecodeSixBits(line[0]);
    return LineLengthFrom(line, available) < 1 + (announced + 2) / 3 * 4;
}

constexpr std::array<uint8_t, 64> MakeCharacterTable()
{
    std::array<uint8_t, 64> table{};
    for (uint32_t v = 0; v < 64; ++v)
        table[v] = EncodeSixBits(v);
    return table;
}
constexpr std::array<uint8_t, 64> kCharacters = MakeCharacterTable();

inline uint8_t* EncodeGroup(uint8_t b0, uint8_t b1, uint8_t b2, uint8_t* out)
{
    const uint32_t bits = uint32_t(b0) << 16 | uint32_t(b1) << 8 | b2;
    out[0] = kCharacters[bits >> 18];
    out[1] = kCharacters[(bits >> 12) & 63];
    out[2] = kCharacters[(bits >> 6) & 63];
    out[3] = kCharacters[bits & 63];
    return out + 4;
}

// The 6-bit value of every character, with line breaks marked so that four
// characters are checked for them in one test.
constexpr SixBitTable MakeSixBitsTable()
{
    SixBitTable table{};
    for (size_t c = 0; c < 256; ++c)
        table[c] = IsLineBreak(uint8_t(c)) ? kNoSixBits : uint8_t(DecodeSixBits(uint8_t(c)));
    return table;
}
constexpr SixBitTable kSixBits = MakeSixBitsTable();

// The whole groups of a line, three bytes each, as long as no line break
// comes; what is left (a short last group, a break) is for the careful loop.
inline void DecodeWholeGroups(const uint8_t* text, size_t length, size_t& pos, uint32_t& owed, uint8_t*& out)
{
    while (owed >= 3 && length - pos >= 4 && DecodeSixBitGroup(kSixBits, text + pos, out)) {
        out += 3;
        pos += 4;
        owed -= 3;
    }
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
        size_t done = 0;
        for (; done + 3 <= lineBytes; done += 3)
            out = EncodeGroup(in[done], in[done + 1], in[done + 2], out);
        if (done < lineBytes) {
            // A short last group is completed with spaces; the length
            // character tells decoders to drop them.
            const uint8_t b1 = done + 1 < lineBytes ? in[done + 1] : uint8_t(0x20);
            out = EncodeGroup(in[done], b1, 0x20, out);
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
        if (IsMarkerLine(text + pos, length - pos)) {
            pos += LineLengthFrom(text + pos, length - pos);
            continue;
        }
        uint32_t owed = DecodeSixBits(text[pos++]);
        DecodeWholeGroups(text, length, pos, owed, out);
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

size_t UuDecoder::Convert(const uint8_t* text, size_t length, uint8_t* out)
{
    if (failed_)
        return 0;
    size_t pos = 0;
    if (skipping_) {
        pos = LineLengthFrom(text, length);
        skipping_ = pos == length;
    }
    uint8_t* next = out;
    if (!skipping_ && carried_ > 0)
        next += CompleteCarriedLine(text, length, pos, next);
    if (failed_ || skipping_ || carried_ > 0)
        return failed_ ? 0 : size_t(next - out);

    // Whole lines up to the last line break, then the line still open.
    size_t linesEnd = length;
    while (linesEnd > pos && !IsLineBreak(text[linesEnd - 1]))
        --linesEnd;
    next += DecodeLines(text + pos, linesEnd - pos, next);
    next += TakeOpenLine(text + linesEnd, length - linesEnd, next);
    return failed_ ? 0 : size_t(next - out);
}

size_t UuDecoder::Finish(uint8_t* out)
{
    // The end of the text ends the open line, as in the whole-input decoder.
    const size_t count = carried_ > 0 ? DecodeLines(carry_, carried_, out) : 0;
    carried_ = 0;
    skipping_ = false;
    return failed_ ? 0 : count;
}

size_t UuDecoder::DecodeLines(const uint8_t* text, size_t length, uint8_t* out)
{
    if (failed_ || length == 0)
        return 0;
    const std::optional<size_t> count = UuDecode(text, length, out);
    failed_ = !count;
    return count.value_or(0);
}

// Adds the start of this piece to the carried line. The line is decoded once
// its break comes or it is long enough to be decided; otherwise it stays
// carried for the next piece.
size_t UuDecoder::CompleteCarriedLine(const uint8_t* text, size_t length, size_t& pos, uint8_t* out)
{
    const size_t lineEnd = pos + LineLengthFrom(text + pos, length - pos);
    const size_t taken = std::min(lineEnd - pos, kCarryBytes - carried_);
    std::memcpy(carry_ + carried_, text + pos, taken);
    carried_ += taken;
    pos += taken;
    if (pos < length && IsLineBreak(text[pos])) {
        carry_[carried_++] = LF;
    } else if (carried_ < kCarryBytes) {
        return 0;
    } else {
        pos = lineEnd;
        skipping_ = pos == length;
    }
    const size_t count = DecodeLines(carry_, carried_, out);
    carried_ = 0;
    return count;
}

size_t UuDecoder::TakeOpenLine(const uint8_t* text, size_t length, uint8_t* out)
{
    if (length < kCarryBytes) {
        std::memcpy(carry_, text, length);
        carried_ = length;
        return 0;
    }
    skipping_ = true;
    return DecodeLines(text, kCarryBytes, out);
}
