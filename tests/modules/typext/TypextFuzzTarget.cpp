// libFuzzer target: the input, read as UTF-16 text, goes through every date
// type's parse function; the first bytes also go through every format.
#include "modules/typext/BooleanTypes.h"
#include "modules/typext/DateTypes.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace typext;
    std::vector<char16_t> text(size / 2 + 1, u'\0');
    std::memcpy(text.data(), data, size / 2 * 2);
    const ParseProc parsers[] = {ParseVariantDate, ParseSystemTime, ParseFileTime, ParseDosDate, ParseDosTime,
                                 ParseWindowsBool, ParseCBool, ParseVbBoolean};
    const FormatProc formats[] = {FormatVariantDate, FormatSystemTime, FormatFileTime, FormatDosDate, FormatDosTime,
                                  FormatWindowsBool, FormatCBool, FormatVbBoolean};
    const int sizes[] = {8, 16, 8, 2, 2, 4, 1, 2};
    const int capacities[] = {64, 64, 64, 64, 64, 6, 6, 6};
    for (int i = 0; i < 8; ++i) {
        std::vector<uint8_t> value(size_t(sizes[i]), 0);
        int32_t radix = 0;
        parsers[i](text.data(), value.data(), int32_t(size & 1), &radix);
        std::vector<uint8_t> raw(size_t(sizes[i]), 0);
        std::memcpy(raw.data(), data, std::min(size, raw.size()));
        std::vector<char16_t> shown(static_cast<size_t>(capacities[i]));
        formats[i](raw.data(), shown.data(), int32_t(size & 1), 10);
    }
    return 0;
}
