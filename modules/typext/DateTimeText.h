#pragma once
// The text form of dates and times shared by SYSTEMTIME, FILETIME and the
// MS-DOS types: written and read in the locale's order, separators and clock.
#include "CalendarMath.h"
#include "LocaleConventions.h"

#include <QString>
#include <QStringView>

namespace typext {

enum DateTimePart { DatePart = 1, TimePart = 2 };

// Writes the wanted parts that are valid; "<Invalid>" when nothing was written.
QString WriteDateTime(const DateTimeFields& fields, int wantedParts, const LocaleConventions& conventions);

struct ReadOptions {
    int allowedParts = DatePart | TimePart;
    // Accept the locale's names for AM and PM as well as "AM" and "PM".
    bool localeDayHalves = false;
};

// Reads one date and/or one time. On success fields holds what was read
// (missing parts 0) and foundParts which parts were present.
bool ReadDateTime(QStringView text, const ReadOptions& options, const LocaleConventions& conventions,
                  DateTimeFields& fields, int& foundParts);

QString InvalidText();

// Copies text NUL-terminated into a buffer of capacity units, cutting it if needed.
void CopyToBuffer(const QString& text, char16_t* buffer, int capacity);
// The text up to its NUL as a view; null gives an empty view.
QStringView ViewOf(const char16_t* text);

} // namespace typext
