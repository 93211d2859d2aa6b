#include "RowText.h"

#include <algorithm>

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";
}

QString FormatOffset(int64_t offset, int offsetFormat, int digits)
{
    const bool decimal = offsetFormat == 0;
    const uint64_t radix = decimal ? 10 : 16;
    // Offsets are never negative; the unsigned value keeps a faulty one from
    // producing a minus sign inside a fixed-width column.
    uint64_t value = uint64_t(offset);
    // Never fewer digits than the offset needs, so no offset is ever cut.
    digits = std::max(digits, OffsetDigitsFor(offset, decimal));
    QString text(digits, QChar(u'0'));
    QChar* out = text.data();
    for (int i = digits - 1; i >= 0 && value != 0; --i) {
        out[i] = QLatin1Char(kHexDigits[value % radix]);
        value /= radix;
    }
    return text;
}

QChar DisplayChar(uint8_t byte, bool showAllChars)
{
    if (showAllChars || (byte >= 32 && byte <= 126))
        return QChar(char16_t(byte));
    return QChar(u'.');
}

QString HexText(const RowLayout& layout, const uint8_t* bytes, int count, int readable)
{
    if (count <= 0)
        return QString();
    QString text(layout.HexCellOfByte(count - 1) + 2, QChar(u' '));
    QChar* out = text.data();
    for (int i = 0; i < count; ++i) {
        const int cell = layout.HexCellOfByte(i);
        const bool known = i < readable;
        out[cell] = known ? QLatin1Char(kHexDigits[bytes[i] >> 4]) : QChar(u'?');
        out[cell + 1] = known ? QLatin1Char(kHexDigits[bytes[i] & 0x0F]) : QChar(u'?');
    }
    if (layout.dashShown && count > layout.dashByte)
        out[layout.dashChar] = QChar(u'-');
    return text;
}

QString CharText(const RowLayout& layout, const uint8_t* bytes, int count, bool showAllChars, int readable)
{
    QString text(layout.bytesPerRow, QChar(u' '));
    QChar* out = text.data();
    for (int i = 0; i < count && i < layout.bytesPerRow; ++i)
        out[i] = i < readable ? DisplayChar(bytes[i], showAllChars) : QChar(u'?');
    return text;
}

RowText BuildRowText(const RowLayout& layout, int64_t offset, const uint8_t* bytes, int count, bool showAllChars,
                     int readable)
{
    RowText row;
    row.offset = offset;
    row.count = count;
    row.offsetText = FormatOffset(offset, layout.decimalOffsets ? 0 : 1, layout.offsetDigits);
    if (layout.hexShown)
        row.hex = HexText(layout, bytes, count, readable);
    if (layout.charShown)
        row.chars = CharText(layout, bytes, count, showAllChars, readable);
    row.offsetX = layout.Px(layout.offsetX);
    row.hexX = layout.Px(layout.hexX);
    row.charX = layout.Px(layout.charX);
    return row;
}
