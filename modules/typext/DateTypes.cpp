#include "DateTypes.h"

#include "ByteOrder.h"
#include "DateTimeText.h"
#include "OleDate.h"

#include <QLocale>

namespace typext {

namespace {

constexpr uint64_t kTicksPerMillisecond = 10000;
constexpr uint64_t kTicksPerDay = 86400000ull * kTicksPerMillisecond;
constexpr int64_t kFileTimeFirstYear = 1601;
constexpr int64_t kFileTimeLastYear = 30827;
constexpr int64_t kDosFirstYear = 1980;
constexpr int64_t kDosLastYear = 2107;

void Write(const QString& value, char16_t* text) { CopyToBuffer(value, text, kDateTextCapacity); }

bool Read(const char16_t* text, int allowedParts, DateTimeFields& f, int& found)
{
    ReadOptions options;
    options.allowedParts = allowedParts;
    return ReadDateTime(ViewOf(text), options, CurrentConventions(), f, found);
}

// Every date type reads decimal numbers only.
int32_t Succeeded(int32_t* radixOut)
{
    if (radixOut)
        *radixOut = 10;
    return 1;
}

int64_t FileTimeEpochDays() { return DaysFromCivil(kFileTimeFirstYear, 1, 1); }

} // namespace

void FormatVariantDate(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t)
{
    Write(FormatOleDate(LoadDouble(data, bigEndian != 0), QLocale()), text);
}

int32_t ParseVariantDate(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    double value = 0;
    if (!ParseOleDate(ViewOf(text), QLocale(), value))
        return 0;
    StoreDouble(data, value, bigEndian != 0);
    return Succeeded(radixOut);
}

// Eight 16-bit fields: year, month, day of week, day, hour, minute, second,
// milliseconds; each field is swapped on its own under big-endian.
void FormatSystemTime(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t)
{
    const bool big = bigEndian != 0;
    DateTimeFields f;
    f.year = Load16(data, big);
    f.month = Load16(data + 2, big);
    f.day = Load16(data + 6, big);
    f.hour = Load16(data + 8, big);
    f.minute = Load16(data + 10, big);
    f.second = Load16(data + 12, big);
    f.millisecond = Load16(data + 14, big);
    Write(WriteDateTime(f, DatePart | TimePart, CurrentConventions()), text);
}

int32_t ParseSystemTime(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    DateTimeFields f;
    int found = 0;
    if (!Read(text, DatePart | TimePart, f, found) || f.year > 0xFFFF)
        return 0;
    const bool big = bigEndian != 0;
    const uint16_t fields[8] = {uint16_t(f.year), uint16_t(f.month), 0, uint16_t(f.day),
                                uint16_t(f.hour), uint16_t(f.minute), uint16_t(f.second), uint16_t(f.millisecond)};
    for (int i = 0; i < 8; ++i)
        Store16(data + 2 * i, fields[i], big);
    return Succeeded(radixOut);
}

// A count of 100-nanosecond ticks since 1601 in two 32-bit halves, low half
// first; under big-endian each half is swapped on its own.
void FormatFileTime(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t)
{
    const bool big = bigEndian != 0;
    const uint64_t ticks = uint64_t(Load32(data, big)) | uint64_t(Load32(data + 4, big)) << 32;
    if (ticks > uint64_t(INT64_MAX)) {
        Write(InvalidText(), text);
        return;
    }
    DateTimeFields f;
    CivilFromDays(FileTimeEpochDays() + int64_t(ticks / kTicksPerDay), f);
    const uint64_t milliseconds = ticks % kTicksPerDay / kTicksPerMillisecond;
    f.hour = int(milliseconds / 3600000);
    f.minute = int(milliseconds / 60000 % 60);
    f.second = int(milliseconds / 1000 % 60);
    f.millisecond = int(milliseconds % 1000);
    Write(WriteDateTime(f, DatePart | TimePart, CurrentConventions()), text);
}

int32_t ParseFileTime(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    DateTimeFields f;
    int found = 0;
    if (!Read(text, DatePart | TimePart, f, found))
        return 0;
    // Without a date there is no calendar moment to count from.
    if (!(found & DatePart) || f.year < kFileTimeFirstYear || f.year > kFileTimeLastYear)
        return 0;
    const uint64_t days = uint64_t(DaysFromCivil(f.year, f.month, f.day) - FileTimeEpochDays());
    const uint64_t milliseconds = ((uint64_t(f.hour) * 60 + f.minute) * 60 + f.second) * 1000 + f.millisecond;
    const uint64_t ticks = days * kTicksPerDay + milliseconds * kTicksPerMillisecond;
    const bool big = bigEndian != 0;
    Store32(data, uint32_t(ticks), big);
    Store32(data + 4, uint32_t(ticks >> 32), big);
    return Succeeded(radixOut);
}

// Day in bits 0-4, month in bits 5-8, year - 1980 in bits 9-15.
void FormatDosDate(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t)
{
    const uint16_t value = Load16(data, bigEndian != 0);
    DateTimeFields f;
    f.year = kDosFirstYear + (value >> 9);
    f.month = value >> 5 & 0x0F;
    f.day = value & 0x1F;
    Write(WriteDateTime(f, DatePart, CurrentConventions()), text);
}

int32_t ParseDosDate(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    DateTimeFields f;
    int found = 0;
    if (!Read(text, DatePart, f, found) || f.year < kDosFirstYear || f.year > kDosLastYear)
        return 0;
    Store16(data, uint16_t((f.year - kDosFirstYear) << 9 | f.month << 5 | f.day), bigEndian != 0);
    return Succeeded(radixOut);
}

// Seconds / 2 in bits 0-4, minute in bits 5-10, hour in bits 11-15.
void FormatDosTime(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t)
{
    const uint16_t value = Load16(data, bigEndian != 0);
    DateTimeFields f;
    f.hour = value >> 11;
    f.minute = value >> 5 & 0x3F;
    f.second = (value & 0x1F) * 2;
    Write(WriteDateTime(f, TimePart, CurrentConventions()), text);
}

int32_t ParseDosTime(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    DateTimeFields f;
    int found = 0;
    if (!Read(text, TimePart, f, found))
        return 0;
    Store16(data, uint16_t(f.hour << 11 | f.minute << 5 | f.second / 2), bigEndian != 0);
    return Succeeded(radixOut);
}

} // namespace typext
