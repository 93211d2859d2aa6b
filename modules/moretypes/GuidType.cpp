#include "GuidType.h"

#include "TypeBytes.h"
#include "TypeText.h"

#include <cstdio>

namespace moretypes {

namespace {
// The byte count of each dash-separated group; the first three are numbers.
constexpr int kGroups[] = {4, 2, 2, 2, 6};
} // namespace

void FormatGuid(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t)
{
    const bool be = bigEndian != 0;
    char buffer[kGuidTextCapacity];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  unsigned(LoadBytes(data, 4, be)), unsigned(LoadBytes(data + 4, 2, be)),
                  unsigned(LoadBytes(data + 6, 2, be)), data[8], data[9], data[10], data[11], data[12], data[13],
                  data[14], data[15]);
    WriteText(buffer, text, kGuidTextCapacity);
}

int32_t ParseGuid(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    const std::optional<std::string> ascii = TrimmedAscii(text);
    if (!ascii)
        return 0;
    std::string_view guid = *ascii;
    if (guid.size() == 38 && guid.front() == '{' && guid.back() == '}')
        guid = guid.substr(1, 36);
    if (guid.size() != 36)
        return 0;
    uint8_t bytes[16];
    size_t pos = 0;
    int offset = 0;
    for (int group = 0; group < 5; ++group) {
        if (group > 0 && guid[pos++] != '-')
            return 0;
        uint64_t value = 0;
        for (int digit = 0; digit < 2 * kGroups[group]; ++digit, ++pos) {
            if (!IsHexDigit(guid[pos]))
                return 0;
            value = value << 4 | uint64_t(HexDigitValue(guid[pos]));
        }
        // Numbers in the chosen order; the last two groups as written.
        const bool number = group < 3;
        StoreBytes(bytes + offset, kGroups[group], value, number ? bigEndian != 0 : true);
        offset += kGroups[group];
    }
    for (int i = 0; i < 16; ++i)
        data[i] = bytes[i];
    return Parsed(radixOut, 16);
}

} // namespace moretypes
