#pragma once
// The traditional uuencode line format, without "begin" and "end" lines:
// lines of up to 45 bytes, each a length character, four characters per
// three bytes and CR LF. A 6-bit value v is the character 32 + v, except
// that 0 is the backquote, so encoded text holds no spaces.
#include "WholeLineEncoder.h"

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

// The same two conversions over input that arrives in pieces of any size:
// Convert each piece, then Finish once. The output is byte for byte that of
// the whole-input functions above, whatever the pieces.
// A last line holds a length character, up to 60 characters and CR LF.
using UuEncoder = WholeLineEncoder<45, 63, UuEncodedSize, UuEncode>;

class UuDecoder {
public:
    static size_t MaxOutput(size_t count) { return UuDecodedCapacity(count + kCarryBytes + 1) + 6; }
    static constexpr size_t kMaxFinish = 63;
    // Both give nothing once a line has been found shorter than it announces;
    // Failed() then tells, and the text converted so far is not to be used.
    size_t Convert(const uint8_t* text, size_t length, uint8_t* out);
    size_t Finish(uint8_t* out);
    bool Failed() const { return failed_; }

private:
    // A line's first 85 characters decide it: its length character
    // announces at most 63 bytes, which take 84 more, and a line in capitals
    // that spells a marker is data when it is that long. A line still open
    // at the end of a piece is carried up to that length; the rest of a
    // longer line is skipped, as the whole-input decoder skips it.
    static constexpr size_t kCarryBytes = 85;
    size_t DecodeLines(const uint8_t* text, size_t length, uint8_t* out);
    size_t TakeOpenLine(const uint8_t* text, size_t length, uint8_t* out);
    size_t CompleteCarriedLine(const uint8_t* text, size_t length, size_t& pos, uint8_t* out);

    uint8_t carry_[kCarryBytes + 1] = {};
    size_t carried_ = 0;
    bool skipping_ = false;
    bool failed_ = false;
};
