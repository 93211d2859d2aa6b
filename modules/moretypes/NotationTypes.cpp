#include "NotationTypes.h"

#include "TypeText.h"

#include <cstdio>

namespace moretypes {

void FormatBinaryByte(const uint8_t* data, char16_t* text, int32_t, int32_t)
{
    char buffer[kBinaryTextCapacity] = {};
    for (int bit = 0; bit < 8; ++bit)
        buffer[bit] = (data[0] >> (7 - bit) & 1) ? '1' : '0';
    WriteText(buffer, text, kBinaryTextCapacity);
}

int32_t ParseBinaryByte(const char16_t* text, uint8_t* data, int32_t, int32_t* radixOut)
{
    const std::optional<std::string> ascii = TrimmedAscii(text);
    if (!ascii || ascii->empty() || ascii->size() > 8)
        return 0;
    unsigned value = 0;
    for (char c : *ascii) {
        if (c != '0' && c != '1')
            return 0;
        value = value << 1 | unsigned(c - '0');
    }
    data[0] = uint8_t(value);
    return Parsed(radixOut, 2);
}

void FormatRgbColor(const uint8_t* data, char16_t* text, int32_t, int32_t)
{
    char buffer[kColorTextCapacity];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", data[0], data[1], data[2]);
    WriteText(buffer, text, kColorTextCapacity);
}

int32_t ParseRgbColor(const char16_t* text, uint8_t* data, int32_t, int32_t* radixOut)
{
    const std::optional<std::string> ascii = TrimmedAscii(text);
    if (!ascii)
        return 0;
    std::string_view digits = *ascii;
    if (!digits.empty() && digits.front() == '#')
        digits.remove_prefix(1);
    if (digits.size() != 6)
        return 0;
    for (char c : digits)
        if (!IsHexDigit(c))
            return 0;
    for (int i = 0; i < 3; ++i)
        data[i] = uint8_t(HexDigitValue(digits[size_t(2 * i)]) << 4 | HexDigitValue(digits[size_t(2 * i + 1)]));
    return Parsed(radixOut, 16);
}

void FormatIpv4Address(const uint8_t* data, char16_t* text, int32_t, int32_t)
{
    char buffer[kIpv4TextCapacity];
    std::snprintf(buffer, sizeof buffer, "%u.%u.%u.%u", data[0], data[1], data[2], data[3]);
    WriteText(buffer, text, kIpv4TextCapacity);
}

int32_t ParseIpv4Address(const char16_t* text, uint8_t* data, int32_t, int32_t* radixOut)
{
    const std::optional<std::string> ascii = TrimmedAscii(text);
    if (!ascii)
        return 0;
    uint8_t octets[4];
    size_t pos = 0;
    const std::string& s = *ascii;
    for (int i = 0; i < 4; ++i) {
        if (i > 0 && (pos >= s.size() || s[pos++] != '.'))
            return 0;
        const size_t start = pos;
        unsigned value = 0;
        while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9' && pos - start < 3)
            value = value * 10 + unsigned(s[pos++] - '0');
        const size_t length = pos - start;
        if (length == 0 || value > 255 || (length > 1 && s[start] == '0'))
            return 0;
        octets[i] = uint8_t(value);
    }
    if (pos != s.size())
        return 0;
    for (int i = 0; i < 4; ++i)
        data[i] = octets[i];
    return Parsed(radixOut);
}

} // namespace moretypes
