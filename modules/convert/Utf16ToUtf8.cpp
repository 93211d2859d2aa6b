#include "Utf16ToUtf8.h"

namespace {
inline bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
inline bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
constexpr uint8_t kUnmappable = '?';
} // namespace

uint8_t* Utf16ToUtf8::Encode(char16_t unit, uint8_t* out)
{
    if (pendingHigh_) {
        if (IsLow(unit)) {
            const char32_t c = 0x10000 + ((char32_t(pendingHigh_) - 0xD800) << 10) + (unit - 0xDC00);
            pendingHigh_ = 0;
            *out++ = uint8_t(0xF0 | (c >> 18));
            *out++ = uint8_t(0x80 | ((c >> 12) & 0x3F));
            *out++ = uint8_t(0x80 | ((c >> 6) & 0x3F));
            *out++ = uint8_t(0x80 | (c & 0x3F));
            return out;
        }
        pendingHigh_ = 0;
        *out++ = kUnmappable;
    }
    if (unit < 0x80) {
        *out++ = uint8_t(unit);
    } else if (unit < 0x800) {
        *out++ = uint8_t(0xC0 | (unit >> 6));
        *out++ = uint8_t(0x80 | (unit & 0x3F));
    } else if (IsHigh(unit)) {
        pendingHigh_ = unit;
    } else if (IsLow(unit)) {
        *out++ = kUnmappable;
    } else {
        *out++ = uint8_t(0xE0 | (unit >> 12));
        *out++ = uint8_t(0x80 | ((unit >> 6) & 0x3F));
        *out++ = uint8_t(0x80 | (unit & 0x3F));
    }
    return out;
}

size_t Utf16ToUtf8::Convert(const uint8_t* in, size_t count, uint8_t* out)
{
    uint8_t* const start = out;
    size_t i = 0;
    if (hasOddByte_ && count > 0) {
        hasOddByte_ = false;
        out = Encode(char16_t(oddByte_ | in[0] << 8), out);
        i = 1;
    }
    for (; i + 1 < count; i += 2) {
        const char16_t unit = char16_t(in[i] | in[i + 1] << 8);
        if (unit < 0x80 && !pendingHigh_)
            *out++ = uint8_t(unit);
        else
            out = Encode(unit, out);
    }
    if (i < count) {
        hasOddByte_ = true;
        oddByte_ = in[i];
    }
    return size_t(out - start);
}

size_t Utf16ToUtf8::Finish(uint8_t* out)
{
    hasOddByte_ = false;
    if (!pendingHigh_)
        return 0;
    pendingHigh_ = 0;
    *out = kUnmappable;
    return 1;
}
