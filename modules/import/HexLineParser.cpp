#include "HexLineParser.h"

#include "modules/common/HexDigit.h"

#include <cstring>

namespace importer {

namespace {

struct CharTables {
    int8_t hexValue[256];
    bool space[256];
    CharTables()
    {
        for (int c = 0; c < 256; ++c) {
            hexValue[c] = int8_t(HexDigitValue(char(c)));
            space[c] = c == ' ' || (c >= '\t' && c <= '\r');
        }
    }
};

const CharTables kTables;

inline bool IsSpace(char c) { return kTables.space[uint8_t(c)]; }
inline int HexValue(char c) { return kTables.hexValue[uint8_t(c)]; }

// Start of the next column at or after from: the first non-white character
// after a run of at least two white-space characters; end when none.
size_t NextColumn(const char* line, size_t from, size_t end)
{
    size_t run = 0;
    for (size_t i = from; i < end; ++i) {
        if (IsSpace(line[i])) {
            ++run;
        } else {
            if (run >= 2)
                return i;
            run = 0;
        }
    }
    return end;
}

// Reads [begin, end): white space and "-" are skipped, anything else must be
// a pair of hex digits. Returns the bytes written, or -1 for anything else.
// With out null it only checks.
long ReadHex(const char* line, size_t begin, size_t end, uint8_t* out)
{
    long count = 0;
    for (size_t i = begin; i < end;) {
        const char c = line[i];
        if (IsSpace(c) || c == '-') {
            ++i;
            continue;
        }
        const int high = HexValue(c);
        const int low = i + 1 < end ? HexValue(line[i + 1]) : -1;
        if (high < 0 || low < 0)
            return -1;
        if (out)
            out[count] = uint8_t(high << 4 | low);
        ++count;
        i += 2;
    }
    return count;
}

} // namespace

HexLineParser::Outcome HexLineParser::Parse(const char* line, size_t length, uint8_t* out, size_t& count)
{
    count = 0;
    // Text after a NUL is not part of the line.
    if (const void* nul = std::memchr(line, '\0', length))
        length = size_t(static_cast<const char*>(nul) - line);
    size_t start = 0;
    while (start < length && IsSpace(line[start]))
        ++start;
    if (start == length)
        return Outcome::Empty;

    const size_t second = NextColumn(line, start, length);
    const size_t third = second < length ? NextColumn(line, second, length) : length;
    if (layout_ == Layout::Undecided) {
        const bool dump = second < length && ReadHex(line, second, third, nullptr) >= 0;
        layout_ = dump ? Layout::Dump : Layout::Plain;
    }
    size_t begin = start, end = second;
    if (layout_ == Layout::Dump) {
        if (second == length)
            return Outcome::NotRecognised;
        begin = second;
        end = third;
    }
    const long read = ReadHex(line, begin, end, out);
    if (read <= 0)
        return Outcome::NotRecognised;
    count = size_t(read);
    return Outcome::Bytes;
}

} // namespace importer
