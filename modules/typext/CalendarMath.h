#pragma once
// Proleptic Gregorian calendar arithmetic shared by the date types.
#include <cstdint>

namespace typext {

// One calendar moment as the date types see it; fields are not checked.
struct DateTimeFields {
    int64_t year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

bool IsLeapYear(int64_t year);
// Month 1 to 12, day 1 to the month's length (29 February only in leap years).
bool IsValidDate(int64_t year, int month, int day);
bool IsValidTime(int hour, int minute, int second, int millisecond);

// Days since 1 January 1970 for a valid date, and back.
int64_t DaysFromCivil(int64_t year, int month, int day);
void CivilFromDays(int64_t days, DateTimeFields& fields);

} // namespace typext
