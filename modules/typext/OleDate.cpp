#include "OleDate.h"

#include "DateTimeText.h"
#include "LocaleConventions.h"

#include <QDate>
#include <QTime>
#include <cmath>

namespace typext {

namespace {

constexpr int64_t kFirstDay = -657434;  // 1 January 100
constexpr int64_t kLastDay = 2958465;   // 31 December 9999
constexpr int64_t kSecondsPerDay = 86400;

int64_t EpochDays() { return DaysFromCivil(1899, 12, 30); }

// The short date pattern with its year widened to four digits.
QString FourDigitYearPattern(const QLocale& locale)
{
    QString pattern;
    for (const FormatToken& token : TokenizeFormat(locale.dateFormat(QLocale::ShortFormat))) {
        if (token.field.isNull())
            pattern += u'\'' + QString(token.text).replace(u'\'', QStringLiteral("''")) + u'\'';
        else
            pattern += token.field == u'y' ? QStringLiteral("yyyy") : token.text;
    }
    return pattern;
}

// The long time pattern without its time zone, which a date value lacks.
QString TimeWithoutZonePattern(const QLocale& locale)
{
    QString pattern;
    for (const FormatToken& token : TokenizeFormat(locale.timeFormat(QLocale::LongFormat))) {
        if (token.field.isNull())
            pattern += u'\'' + QString(token.text).replace(u'\'', QStringLiteral("''")) + u'\'';
        else if (token.field != u't')
            pattern += token.text;
    }
    return pattern;
}

} // namespace

bool OleDateToFields(double value, DateTimeFields& fields, int64_t& dayNumber)
{
    if (!std::isfinite(value) || value <= double(kFirstDay - 1) || value >= double(kLastDay + 1))
        return false;
    const double wholeDays = std::trunc(value);
    int64_t seconds = std::llround(std::fabs(value - wholeDays) * double(kSecondsPerDay));
    dayNumber = int64_t(wholeDays);
    if (seconds >= kSecondsPerDay) {
        // Rounded up to midnight: the next calendar day, whatever the sign.
        seconds -= kSecondsPerDay;
        ++dayNumber;
    }
    if (dayNumber < kFirstDay || dayNumber > kLastDay)
        return false;
    CivilFromDays(EpochDays() + dayNumber, fields);
    fields.hour = int(seconds / 3600);
    fields.minute = int(seconds / 60 % 60);
    fields.second = int(seconds % 60);
    fields.millisecond = 0;
    return true;
}

bool FieldsToOleDate(const DateTimeFields& fields, bool hasDate, double& value)
{
    int64_t day = 0;
    if (hasDate) {
        if (!IsValidDate(fields.year, fields.month, fields.day))
            return false;
        day = DaysFromCivil(fields.year, fields.month, fields.day) - EpochDays();
        if (day < kFirstDay || day > kLastDay)
            return false;
    }
    const double seconds = fields.hour * 3600.0 + fields.minute * 60.0 + fields.second + fields.millisecond / 1000.0;
    const double fraction = seconds / double(kSecondsPerDay);
    value = day >= 0 ? double(day) + fraction : double(day) - fraction;
    return true;
}

QString FormatOleDate(double value, const QLocale& locale)
{
    DateTimeFields f;
    int64_t day = 0;
    if (!OleDateToFields(value, f, day))
        return InvalidText();
    const bool midnight = f.hour == 0 && f.minute == 0 && f.second == 0;
    QString text;
    if (day != 0)
        text = locale.toString(QDate(int(f.year), f.month, f.day), FourDigitYearPattern(locale));
    if (day == 0 || !midnight) {
        if (!text.isEmpty())
            text += u' ';
        text += locale.toString(QTime(f.hour, f.minute, f.second), TimeWithoutZonePattern(locale)).trimmed();
    }
    return text.isEmpty() ? InvalidText() : text;
}

bool ParseOleDate(QStringView text, const QLocale& locale, double& value)
{
    ReadOptions options;
    options.localeDayHalves = true;
    DateTimeFields f;
    int found = 0;
    if (!ReadDateTime(text, options, ConventionsOf(locale), f, found))
        return false;
    return FieldsToOleDate(f, (found & DatePart) != 0, value);
}

} // namespace typext
