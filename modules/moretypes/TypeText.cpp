#include "TypeText.h"

#include <cstdio>

namespace moretypes {

void WriteText(std::string_view ascii, char16_t* text, int capacity)
{
    if (!text || capacity <= 0)
        return;
    size_t i = 0;
    for (; i < ascii.size() && i + 1 < size_t(capacity); ++i)
        text[i] = char16_t(uint8_t(ascii[i]));
    text[i] = u'\0';
}

std::optional<std::string> TrimmedAscii(const char16_t* text)
{
    if (!text)
        return std::nullopt;
    std::string ascii;
    for (; *text; ++text) {
        if (*text > 0x7F)
            return std::nullopt;
        ascii += char(*text);
    }
    const auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    size_t begin = 0, end = ascii.size();
    while (begin < end && isSpace(ascii[begin]))
        ++begin;
    while (end > begin && isSpace(ascii[end - 1]))
        --end;
    return ascii.substr(begin, end - begin);
}

bool IsHexDigit(char c) { return HexDigitValue(c) >= 0; }


std::optional<ParsedInteger> ParseIntegerText(std::string_view text)
{
    ParsedInteger result;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        result.negative = text[i++] == '-';
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        result.radix = 16;
        i += 2;
    } else if (i + 1 < text.size() && text[i] == '0') {
        result.radix = 8;
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    for (; i < text.size(); ++i) {
        const int digit = HexDigitValue(text[i]);
        if (digit < 0 || digit >= result.radix)
            return std::nullopt;
        if (result.magnitude > (UINT64_MAX - uint64_t(digit)) / uint64_t(result.radix))
            return std::nullopt;
        result.magnitude = result.magnitude * uint64_t(result.radix) + uint64_t(digit);
    }
    return result;
}

std::string IntegerText(int64_t value, uint64_t rawBits, int radix)
{
    char buffer[32];
    if (radix == 16)
        std::snprintf(buffer, sizeof buffer, "0x%llX", static_cast<unsigned long long>(rawBits));
    else
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
    return buffer;
}

int32_t Parsed(int32_t* radixOut, int radix)
{
    if (radixOut)
        *radixOut = radix;
    return 1;
}

} // namespace moretypes
