#pragma once
// A UTF-8 to UTF-16 decoder that is fed a byte stream in pieces. A character
// split between two pieces is held back and completed by the next one, so
// the result does not depend on where the pieces were cut.
//
// Ill-formed input never stops it: each maximal ill-formed subsequence (a
// byte that cannot start a character, or the valid beginning of a character
// that is cut short) becomes one U+FFFD, as the Unicode standard recommends.
//
// Output size rule: a character never gives more UTF-16 units than it has
// bytes (four bytes give a surrogate pair, each U+FFFD stands for at least
// one byte). A piece may complete a character begun in the one before it, up
// to three bytes held back, so Convert writes at most count + 3 units, and
// Finish at most one.
#include <cstddef>
#include <cstdint>

class Utf8ToUtf16 {
public:
    static constexpr size_t kHeldBackBytes = 3;
    static constexpr size_t MaxUnits(size_t count) { return count + kHeldBackBytes; }
    static constexpr size_t kMaxFinishUnits = 1;

    // out needs MaxUnits(count) units; returns the count written.
    size_t Convert(const uint8_t* in, size_t count, char16_t* out);
    // Ends the stream: a character still incomplete becomes U+FFFD.
    size_t Finish(char16_t* out);

private:
    char16_t* Emit(char32_t c, char16_t* out);
    void StartSequence(uint8_t lead);

    char32_t codePoint_ = 0;
    int needed_ = 0;      // continuation bytes still to come
    uint8_t lower_ = 0x80; // range of the next continuation byte
    uint8_t upper_ = 0xBF;
};
