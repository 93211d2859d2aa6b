#include "SourceArrays.h"

#include <cstring>

namespace exporter {

namespace {

const char kLowerDigits[] = "0123456789abcdef";

// Each value takes at most 6 characters plus ", ".
constexpr size_t kLineCapacity = 8 + kValuesPerLine * 8;

} // namespace

void WriteCArray(RowSource& lines, OutputBuffer& out)
{
    out.Append("static BYTE Data[] = {\r\n");
    const uint8_t* bytes;
    int count;
    while (lines.Next(bytes, count)) {
        char* p = out.Reserve(kLineCapacity);
        *p++ = '\t';
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                std::memcpy(p, ", ", 2);
                p += 2;
            }
            p[0] = '0';
            p[1] = 'x';
            p[2] = kLowerDigits[bytes[i] >> 4];
            p[3] = kLowerDigits[bytes[i] & 15];
            p += 4;
        }
        // Ask for more only after the line's bytes are written: it may move them.
        if (lines.MoreFollows())
            *p++ = ',';
        std::memcpy(p, "\r\n", 2);
        out.Commit(p + 2);
    }
    out.Append("};\r\n");
}

void WriteAssembly(RowSource& lines, OutputBuffer& out)
{
    out.Append("Data");
    const uint8_t* bytes;
    int count;
    while (lines.Next(bytes, count)) {
        char* p = out.Reserve(kLineCapacity);
        std::memcpy(p, "\tDB\t", 4);
        p += 4;
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                std::memcpy(p, ", ", 2);
                p += 2;
            }
            p[0] = '0';
            p[1] = kLowerDigits[bytes[i] >> 4];
            p[2] = kLowerDigits[bytes[i] & 15];
            p[3] = 'h';
            p += 4;
        }
        std::memcpy(p, "\r\n", 2);
        out.Commit(p + 2);
    }
}

} // namespace exporter
