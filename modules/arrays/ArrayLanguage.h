#pragma once
// How one programming language declares an array of bytes: the opening line
// (with the length where the language lets the declaration carry it, else in
// a comment), rows of 16 values, and the closing line.
#include <cstdint>
#include <string>

namespace arrays {

enum class Language { Python, Rust, Go, JavaScript, Java, CSharp };

// The declaration's opening line(s) for a length of `length` bytes.
std::string ArrayHeader(Language language, int64_t length);
// One row of up to 16 values, line ending included.
void AppendArrayRow(Language language, const uint8_t* bytes, int count, std::string& out);
std::string ArrayFooter(Language language, int64_t length);

constexpr int kValuesPerRow = 16;

} // namespace arrays
