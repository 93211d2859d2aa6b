#pragma once
// A UTF-16LE to UTF-8 encoder that is fed a byte stream in pieces. A unit
// split between pieces (an odd byte) and a surrogate pair split between
// pieces are held back and completed by the next piece, so the result does
// not depend on where the pieces were cut. A lone surrogate, which UTF-8
// cannot carry, becomes "?"; an odd byte at the very end is dropped.
//
// Output size rule: a unit gives at most three bytes, and a surrogate pair
// four bytes for two units. A piece of count bytes holds at most
// (count + 1) / 2 units (one odd byte may be held back from the piece
// before), and the first of them may complete a pair whose high half came
// earlier, so Convert writes at most 3 * ((count + 1) / 2) + 1 bytes, and
// Finish at most one.
#include <cstddef>
#include <cstdint>

class Utf16ToUtf8 {
public:
    static constexpr size_t MaxBytes(size_t count) { return 3 * ((count + 1) / 2) + 1; }
    static constexpr size_t kMaxFinishBytes = 1;

    // in holds UTF-16LE bytes; out needs MaxBytes(count) bytes.
    size_t Convert(const uint8_t* in, size_t count, uint8_t* out);
    // Ends the stream: a high surrogate still waiting becomes "?".
    size_t Finish(uint8_t* out);

private:
    uint8_t* Encode(char16_t unit, uint8_t* out);

    char16_t pendingHigh_ = 0; // a high surrogate waiting for its low half
    bool hasOddByte_ = false;
    uint8_t oddByte_ = 0;
};
