#include "CalendarMath.h"

namespace typext {

bool IsLeapYear(int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

bool IsValidDate(int64_t year, int month, int day)
{
    static const int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1)
        return false;
    const int length = kMonthLength[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    return day <= length;
}

bool IsValidTime(int hour, int minute, int second, int millisecond)
{
    return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59
        && millisecond >= 0 && millisecond <= 999;
}

// Counting in 400-year eras keeps the arithmetic exact for every year,
// including those before the epoch.
int64_t DaysFromCivil(int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, DateTimeFields& fields)
{
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    fields.day = int(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    fields.month = int(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    fields.year = yearOfEra + era * 400 + (fields.month <= 2 ? 1 : 0);
}

} // namespace typext
