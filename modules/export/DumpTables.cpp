#include "DumpTables.h"

#include "platform/CodePage.h"

#include <QString>

namespace exporter {

DumpTables::DumpTables(bool showAllChars)
{
    static const char kDigits[] = "0123456789ABCDEF";
    for (int b = 0; b < 256; ++b) {
        hexPairs_[b][0] = kDigits[b >> 4];
        hexPairs_[b][1] = kDigits[b & 15];
        const bool dotted = b < 32 || (!showAllChars && b > 126);
        shown_[b] = dotted ? u'.' : char16_t(b);
        // Codes 128 to 255 are the characters U+0080 to U+00FF; the code page
        // decides how they are written.
        const QByteArray encoded = platform::ToCodePage(QStringView(&shown_[b], 1));
        CharText& text = chars_[b];
        text.length = uint8_t(encoded.size() >= 1 && encoded.size() <= 2 ? encoded.size() : 1);
        text.bytes[0] = encoded.isEmpty() ? '?' : encoded[0];
        text.bytes[1] = text.length == 2 ? encoded[1] : '\0';
        singleByte_ = singleByte_ && text.length == 1;
    }
}

char* WriteOffset(char* out, int64_t offset, bool decimal)
{
    static const char kDigits[] = "0123456789ABCDEF";
    uint64_t value = uint64_t(offset);
    if (decimal) {
        for (int i = 9; i >= 0; --i, value /= 10)
            out[i] = char('0' + value % 10);
        return out + 10;
    }
    for (int i = 7; i >= 0; --i, value >>= 4)
        out[i] = kDigits[value & 15];
    return out + 8;
}

} // namespace exporter
