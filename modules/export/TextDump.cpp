#include "TextDump.h"

#include <cstring>

namespace exporter {

size_t TextRowCapacity(const DumpSettings& s)
{
    return size_t(OffsetWidth(s.decimalOffsets)) + 2 + size_t(s.HexWidth()) + 2 + 2 * size_t(s.bytesPerRow) + 2;
}

char* WriteHexColumn(char* out, const DumpSettings& s, const DumpTables& t, const uint8_t* bytes, int lead,
                     int count)
{
    const int r = s.bytesPerRow, g = s.groupSize, end = lead + count;
    const int dashAfter = s.DashInRow(lead, count) ? s.DashByte() - 1 : -1;
    // Positions before the lead are blank with their separators; positions
    // past the last byte pad the column to its full width.
    std::memset(out, ' ', size_t(s.HexWidth()));
    char* p = out + (lead / g) * (2 * g + 1) + (lead % g) * 2;
    // A running position in the group avoids a division per byte.
    int inGroup = lead % g;
    for (int i = lead; i < end; ++i) {
        std::memcpy(p, t.Hex(bytes[i - lead]), 2);
        p += 2;
        if (++inGroup == g) {
            inGroup = 0;
            if (i + 1 < r) {
                if (i == dashAfter)
                    *p = '-';
                ++p;
            }
        }
    }
    return out + s.HexWidth();
}

char* WriteCharColumn(char* out, const DumpSettings& s, const DumpTables& t, const uint8_t* bytes, int lead,
                      int count)
{
    char* p = out;
    std::memset(p, ' ', size_t(lead));
    p += lead;
    if (t.SingleByteChars()) {
        for (int i = 0; i < count; ++i)
            p[i] = t.Char(bytes[i]).bytes[0];
        p += count;
    } else {
        for (int i = 0; i < count; ++i) {
            const CharText& c = t.Char(bytes[i]);
            std::memcpy(p, c.bytes, 2);
            p += c.length;
        }
    }
    const int trailing = s.bytesPerRow - lead - count;
    std::memset(p, ' ', size_t(trailing));
    return p + trailing;
}

void WriteTextDump(RowSource& rows, OutputBuffer& out, const DumpSettings& s)
{
    const DumpTables tables(s.showAllChars);
    const size_t capacity = TextRowCapacity(s);
    int64_t rowOffset = s.selectionStart - s.selectionStart % s.bytesPerRow;
    int lead = int(s.selectionStart % s.bytesPerRow);
    const uint8_t* bytes;
    int count;
    while (rows.Next(bytes, count)) {
        char* p = WriteOffset(out.Reserve(capacity), rowOffset, s.decimalOffsets);
        if (s.hexColumn) {
            p[0] = p[1] = ' ';
            p = WriteHexColumn(p + 2, s, tables, bytes, lead, count);
        }
        if (s.charColumn) {
            p[0] = p[1] = ' ';
            p = WriteCharColumn(p + 2, s, tables, bytes, lead, count);
        }
        p[0] = '\r';
        p[1] = '\n';
        out.Commit(p + 2);
        rowOffset += s.bytesPerRow;
        lead = 0;
    }
}

} // namespace exporter
