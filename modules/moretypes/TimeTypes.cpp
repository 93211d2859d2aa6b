#include "TimeTypes.h"

#include "CivilTime.h"
#include "TypeBytes.h"
#include "TypeText.h"

namespace moretypes {

namespace {

constexpr char kInvalid[] = "<Invalid>";

void FormatUnixTime(const uint8_t* data, int size, char16_t* text, bool bigEndian)
{
    uint64_t bits = LoadBytes(data, size, bigEndian);
    if (size == 4)
        bits = uint64_t(int64_t(int32_t(uint32_t(bits))));
    WriteText(IsoText(CivilFromSeconds(int64_t(bits))) + "Z", text, kTimeTextCapacity);
}

// Whole seconds as an ISO text or a plain decimal count.
std::optional<int64_t> ReadSeconds(const char16_t* text)
{
    const std::optional<std::string> ascii = TrimmedAscii(text);
    if (!ascii || ascii->empty())
        return std::nullopt;
    if (const std::optional<CivilTime> time = ParseIsoText(*ascii, true))
        return SecondsFromCivil(*time);
    const std::optional<ParsedInteger> number = ParseIntegerText(*ascii);
    if (!number || number->radix != 10)
        return std::nullopt;
    if (number->negative)
        return number->magnitude <= uint64_t(INT64_MAX) + 1 ? std::optional<int64_t>(int64_t(0 - number->magnitude))
                                                             : std::nullopt;
    return number->magnitude <= uint64_t(INT64_MAX) ? std::optional<int64_t>(int64_t(number->magnitude))
                                                     : std::nullopt;
}

} // namespace

void FormatUnixTime32(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t)
{
    FormatUnixTime(data, 4, text, bigEndian != 0);
}

void FormatUnixTime64(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t)
{
    FormatUnixTime(data, 8, text, bigEndian != 0);
}

int32_t ParseUnixTime32(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    const std::optional<int64_t> seconds = ReadSeconds(text);
    if (!seconds || *seconds < INT32_MIN || *seconds > INT32_MAX)
        return 0;
    StoreBytes(data, 4, uint64_t(*seconds), bigEndian != 0);
    return Parsed(radixOut);
}

int32_t ParseUnixTime64(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    const std::optional<int64_t> seconds = ReadSeconds(text);
    if (!seconds)
        return 0;
    StoreBytes(data, 8, uint64_t(*seconds), bigEndian != 0);
    return Parsed(radixOut);
}

// Time word: seconds / 2 in bits 0-4, minute in 5-10, hour in 11-15.
// Date word: day in bits 0-4, month in 5-8, year - 1980 in 9-15.
// Under big-endian each word is swapped on its own; the time stays first.
void FormatDosDateTime(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t)
{
    const auto time = unsigned(LoadBytes(data, 2, bigEndian != 0));
    const auto date = unsigned(LoadBytes(data + 2, 2, bigEndian != 0));
    CivilTime civil;
    civil.year = 1980 + (date >> 9);
    civil.month = int(date >> 5 & 0x0F);
    civil.day = int(date & 0x1F);
    civil.hour = int(time >> 11);
    civil.minute = int(time >> 5 & 0x3F);
    civil.second = int(time & 0x1F) * 2;
    const bool valid = SecondsFromCivil(civil).has_value();
    WriteText(valid ? IsoText(civil) : kInvalid, text, kTimeTextCapacity);
}

// Odd seconds have no encoding, so they are refused rather than rounded.
int32_t ParseDosDateTime(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    const std::optional<std::string> ascii = TrimmedAscii(text);
    const std::optional<CivilTime> civil = ascii ? ParseIsoText(*ascii, false) : std::nullopt;
    if (!civil || civil->year < 1980 || civil->year > 2107 || civil->second % 2 != 0)
        return 0;
    const auto time = unsigned(civil->hour << 11 | civil->minute << 5 | civil->second / 2);
    const auto date = unsigned(int(civil->year - 1980) << 9 | civil->month << 5 | civil->day);
    StoreBytes(data, 2, time, bigEndian != 0);
    StoreBytes(data + 2, 2, date, bigEndian != 0);
    return Parsed(radixOut);
}

} // namespace moretypes
