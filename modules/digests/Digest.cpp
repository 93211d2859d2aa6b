#include "Digest.h"

QString HexOfBytes(const uint8_t* bytes, size_t count)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    QString text(qsizetype(count * 2), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (size_t i = 0; i < count; ++i) {
        *out++ = kDigits[bytes[i] >> 4];
        *out++ = kDigits[bytes[i] & 0x0F];
    }
    return text;
}

QString HexOfNumber(uint64_t value, int bits)
{
    uint8_t bytes[8];
    const int count = bits / 8;
    for (int i = 0; i < count; ++i)
        bytes[i] = uint8_t(value >> (8 * (count - 1 - i)));
    return HexOfBytes(bytes, size_t(count));
}
