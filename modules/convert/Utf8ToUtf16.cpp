#include "Utf8ToUtf16.h"

namespace {
constexpr char16_t kReplacement = 0xFFFD;
}

char16_t* Utf8ToUtf16::Emit(char32_t c, char16_t* out)
{
    if (c < 0x10000) {
        *out++ = char16_t(c);
    } else {
        c -= 0x10000;
        *out++ = char16_t(0xD800 + (c >> 10));
        *out++ = char16_t(0xDC00 + (c & 0x3FF));
    }
    return out;
}

// The ranges of the first continuation byte exclude overlong forms,
// surrogates and values beyond U+10FFFF (table 3-7 of the standard).
void Utf8ToUtf16::StartSequence(uint8_t lead)
{
    lower_ = 0x80;
    upper_ = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        needed_ = 1;
        codePoint_ = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        needed_ = 2;
        codePoint_ = lead & 0x0F;
        if (lead == 0xE0)
            lower_ = 0xA0;
        else if (lead == 0xED)
            upper_ = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        needed_ = 3;
        codePoint_ = lead & 0x07;
        if (lead == 0xF0)
            lower_ = 0x90;
        else if (lead == 0xF4)
            upper_ = 0x8F;
    }
}

size_t Utf8ToUtf16::Convert(const uint8_t* in, size_t count, char16_t* out)
{
    char16_t* const start = out;
    size_t i = 0;
    while (i < count) {
        const uint8_t b = in[i];
        if (needed_ == 0) {
            ++i;
            if (b < 0x80) {
                *out++ = b;
                continue;
            }
            StartSequence(b);
            if (needed_ == 0)
                *out++ = kReplacement; // not a lead byte
            continue;
        }
        if (b < lower_ || b > upper_) {
            // The character is cut short: replace what was read of it and
            // look at this byte again as the start of the next one.
            needed_ = 0;
            *out++ = kReplacement;
            continue;
        }
        ++i;
        lower_ = 0x80;
        upper_ = 0xBF;
        codePoint_ = codePoint_ << 6 | (b & 0x3F);
        if (--needed_ == 0)
            out = Emit(codePoint_, out);
    }
    return size_t(out - start);
}

size_t Utf8ToUtf16::Finish(char16_t* out)
{
    if (needed_ == 0)
        return 0;
    needed_ = 0;
    *out = kReplacement;
    return 1;
}
