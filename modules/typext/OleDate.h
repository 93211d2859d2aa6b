#pragma once
// OLE Automation dates: a double counting days since 30 December 1899, the
// fraction being the time of day. Valid from 1 January 100 to 31 December
// 9999; before 1899 the integer part counts back and the fraction still
// counts forward from that day's midnight.
#include "CalendarMath.h"

#include <QLocale>
#include <QString>
#include <QStringView>

namespace typext {

// The calendar moment of value rounded to the second, and its day number
// (0 is 30 December 1899). False for values outside the valid range.
bool OleDateToFields(double value, DateTimeFields& fields, int64_t& dayNumber);
// The value of a moment; hasDate false means day 0. False outside the range.
bool FieldsToOleDate(const DateTimeFields& fields, bool hasDate, double& value);

// The locale's short date (four-digit years) and long time, leaving out the
// date on day 0 and the time at midnight; "<Invalid>" outside the range.
QString FormatOleDate(double value, const QLocale& locale);
bool ParseOleDate(QStringView text, const QLocale& locale, double& value);

} // namespace typext
