#include "CivilTime.h"

#include <cstdio>

namespace moretypes {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Days since 1970-01-01 of a date and back (H. Hinnant's algorithms, exact
// for every date whose day count fits).
__int128 DaysFromCivil(int64_t year, int month, int day)
{
    const __int128 y = __int128(year) - (month <= 2 ? 1 : 0);
    const __int128 era = (y >= 0 ? y : y - 399) / 400;
    const __int128 yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const __int128 doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t days, CivilTime& out)
{
    const int64_t z = days + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    out.day = int(doy - (153 * mp + 2) / 5 + 1);
    out.month = int(mp < 10 ? mp + 3 : mp - 9);
    out.year = yoe + era * 400 + (out.month <= 2 ? 1 : 0);
}

// Reads exactly `count` decimal digits at text[pos], moving pos.
std::optional<int> Digits(std::string_view text, size_t& pos, size_t count)
{
    if (pos + count > text.size())
        return std::nullopt;
    int value = 0;
    for (size_t i = 0; i < count; ++i) {
        const char c = text[pos + i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    pos += count;
    return value;
}

bool Expect(std::string_view text, size_t& pos, char c)
{
    if (pos >= text.size() || text[pos] != c)
        return false;
    ++pos;
    return true;
}

} // namespace

bool IsValidDate(int64_t year, int month, int day)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

CivilTime CivilFromSeconds(int64_t seconds)
{
    CivilTime time;
    // Quotient and remainder taken apart so that the extreme counts do not
    // overflow when multiplied back.
    int64_t days = seconds / kSecondsPerDay;
    int64_t rest = seconds % kSecondsPerDay;
    if (rest < 0) {
        rest += kSecondsPerDay;
        --days;
    }
    CivilFromDays(days, time);
    time.hour = int(rest / 3600);
    time.minute = int(rest / 60 % 60);
    time.second = int(rest % 60);
    return time;
}

std::optional<int64_t> SecondsFromCivil(const CivilTime& time)
{
    if (!IsValidDate(time.year, time.month, time.day) || time.hour < 0 || time.hour > 23 || time.minute < 0
        || time.minute > 59 || time.second < 0 || time.second > 59)
        return std::nullopt;
    const __int128 seconds = DaysFromCivil(time.year, time.month, time.day) * kSecondsPerDay + time.hour * 3600
                             + time.minute * 60 + time.second;
    if (seconds < INT64_MIN || seconds > INT64_MAX)
        return std::nullopt;
    return int64_t(seconds);
}

std::string IsoText(const CivilTime& time)
{
    char buffer[48];
    const unsigned long long year = time.year < 0 ? 0ULL - static_cast<unsigned long long>(time.year)
                                                   : static_cast<unsigned long long>(time.year);
    std::snprintf(buffer, sizeof buffer, "%s%04llu-%02d-%02d %02d:%02d:%02d", time.year < 0 ? "-" : "", year,
                  time.month, time.day, time.hour, time.minute, time.second);
    return buffer;
}

std::optional<CivilTime> ParseIsoText(std::string_view text, bool allowZ)
{
    size_t pos = 0;
    const bool negative = Expect(text, pos, '-');
    const size_t yearStart = pos;
    int64_t year = 0;
    // Sixteen digits are more than any 64-bit count of seconds needs.
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - yearStart < 16)
        year = year * 10 + (text[pos++] - '0');
    if (pos - yearStart < 4)
        return std::nullopt;
    CivilTime time;
    time.year = negative ? -year : year;
    std::optional<int> month, day, hour, minute, second;
    if (!Expect(text, pos, '-') || !(month = Digits(text, pos, 2)) || !Expect(text, pos, '-')
        || !(day = Digits(text, pos, 2)))
        return std::nullopt;
    if (!Expect(text, pos, ' ') && !Expect(text, pos, 'T'))
        return std::nullopt;
    if (!(hour = Digits(text, pos, 2)) || !Expect(text, pos, ':') || !(minute = Digits(text, pos, 2))
        || !Expect(text, pos, ':') || !(second = Digits(text, pos, 2)))
        return std::nullopt;
    if (allowZ)
        Expect(text, pos, 'Z');
    if (pos != text.size())
        return std::nullopt;
    time.month = *month;
    time.day = *day;
    time.hour = *hour;
    time.minute = *minute;
    time.second = *second;
    if (!IsValidDate(time.year, time.month, time.day) || time.hour > 23 || time.minute > 59 || time.second > 59)
        return std::nullopt;
    return time;
}

} // namespace moretypes
