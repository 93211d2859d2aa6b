#pragma once
// Calendar dates and times of the proleptic Gregorian calendar, counted in
// seconds since 1970-01-01 00:00:00 UTC, and their ISO 8601 text
// "2026-12-08 09:14:27" (years of more than four digits and before year 0
// included, so that every 64-bit count has a text and reads back).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace moretypes {

struct CivilTime {
    int64_t year = 1970;
    int month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

bool IsValidDate(int64_t year, int month, int day);
CivilTime CivilFromSeconds(int64_t seconds);
// Nothing when a field is out of range or the count does not fit 64 bits.
std::optional<int64_t> SecondsFromCivil(const CivilTime& time);

// "YYYY-MM-DD HH:MM:SS", the year with at least four digits and a leading
// "-" before year 0.
std::string IsoText(const CivilTime& time);
// Reads what IsoText writes, with "T" also taken between date and time and
// an optional trailing "Z" when allowZ; fields are checked for range.
std::optional<CivilTime> ParseIsoText(std::string_view text, bool allowZ);

} // namespace moretypes
