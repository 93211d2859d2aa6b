// SYSTEMTIME, FILETIME and the MS-DOS date and time in three locales.
#include "TypextLocales.h"

#include <QRegularExpression>

namespace {

QByteArray SystemTime(int year, int month, int day, int hour, int minute, int second, int ms)
{
    QByteArray bytes;
    for (int field : {year, month, 0, day, hour, minute, second, ms})
        bytes += Le16(field);
    return bytes;
}

QByteArray Le64(uint64_t value)
{
    QByteArray bytes;
    for (int i = 0; i < 8; ++i)
        bytes.append(char(value >> (8 * i)));
    return bytes;
}

// 1 January 2000 0:00 in 100-nanosecond ticks since 1601.
constexpr uint64_t kTicks2000 = 125911584000000000ull;

} // namespace

using DosDate = TypextLocaleTest;

TEST_P(DosDate, ShowsFieldsInTheLocalesOrderAndInvalidForMonthZero)
{
    const TypeRecord& type = Type("MS-DOS Date");
    EXPECT_EQ(FormatValue(type, Le16(0x0000)), "<Invalid>");
    EXPECT_EQ(FormatValue(type, Le16(0x0021)), GetParam().dosDate1980);
    EXPECT_EQ(FormatValue(type, Bytes({0x00, 0x21}), true), GetParam().dosDate1980);
    EXPECT_EQ(FormatValue(type, Le16(0xFF9F)), GetParam().dosDate2107);
    EXPECT_EQ(FormatValue(type, Le16(13 << 5 | 1)), "<Invalid>");  // month 13
    EXPECT_EQ(FormatValue(type, Le16(2 << 5 | 30)), "<Invalid>");  // 30 February 1980
}

TEST_P(DosDate, ParseChecksLeapYearsAndTheTwoDigitYearWindow)
{
    const TypeRecord& type = Type("MS-DOS Date");
    EXPECT_FALSE(ParseValue(type, GetParam().leapDay2001).has_value());
    EXPECT_EQ(ParseValue(type, GetParam().leapDay2000), Le16(20 << 9 | 2 << 5 | 29));
    EXPECT_EQ(ParseValue(type, GetParam().firstOfFeb05), Le16(25 << 9 | 2 << 5 | 1));
    // 1975 is before the type's first year, so the window is seen on SYSTEMTIME.
    EXPECT_FALSE(ParseValue(type, GetParam().firstOfFeb75).has_value());
    const TypeRecord& systemTime = Type("SYSTEMTIME");
    const QString firstOfFeb = QString::fromLatin1(GetParam().firstOfFeb05);
    EXPECT_EQ(ParseValue(systemTime, GetParam().firstOfFeb75), SystemTime(1975, 2, 1, 0, 0, 0, 0));
    EXPECT_EQ(ParseValue(systemTime, QString(firstOfFeb).replace("05", "60")), SystemTime(2060, 2, 1, 0, 0, 0, 0));
    EXPECT_EQ(ParseValue(systemTime, QString(firstOfFeb).replace("05", "61")), SystemTime(1961, 2, 1, 0, 0, 0, 0));
    EXPECT_EQ(ParseValue(systemTime, QString(firstOfFeb).replace("05", "0")), SystemTime(2000, 2, 1, 0, 0, 0, 0));
    EXPECT_EQ(ParseValue(systemTime, QString(firstOfFeb).replace("05", "100")), SystemTime(100, 2, 1, 0, 0, 0, 0));
    EXPECT_FALSE(ParseValue(type, GetParam().foreignSeparator).has_value());
}

TEST_P(DosDate, ParseAcceptsSlashAndDashInEveryLocaleAndKeepsToTheTypesYears)
{
    const TypeRecord& type = Type("MS-DOS Date");
    // 31 December 2107 with "-" and "/" in place of the locale's separator.
    const QString written = QString::fromLatin1(GetParam().dosDate2107);
    for (const QString& separator : {QStringLiteral("-"), QStringLiteral("/")}) {
        const QString text = QString(written).replace(QRegularExpression(QStringLiteral("[./]")), separator);
        EXPECT_EQ(ParseValue(type, text), Le16(0xFF9F)) << text.toStdString();
        EXPECT_EQ(ParseValue(type, text, true), Bytes({0xFF, 0x9F}));
        EXPECT_FALSE(ParseValue(type, QString(text).replace("2107", "2108")).has_value());
        EXPECT_FALSE(ParseValue(type, QString(text).replace("2107", "1979")).has_value());
    }
    EXPECT_FALSE(ParseValue(type, QStringLiteral("10:30")).has_value());
}

TEST_P(DosDate, RoundTripsEveryValidValueThroughItsText)
{
    const TypeRecord& type = Type("MS-DOS Date");
    int checked = 0;
    for (int value = 0; value < 0x10000; value += 7) {
        const QString text = FormatValue(type, Le16(value));
        if (text == "<Invalid>")
            continue;
        ASSERT_EQ(ParseValue(type, text), Le16(value)) << text.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 4000);
}

using DosTime = TypextLocaleTest;

TEST_P(DosTime, ShowsTheLocalesClock)
{
    const TypeRecord& type = Type("MS-DOS Time");
    EXPECT_EQ(FormatValue(type, Le16(0 << 11 | 5 << 5)), GetParam().fiveAfterMidnight);
    EXPECT_EQ(FormatValue(type, Le16(13 << 11 | 45 << 5 | 15)), GetParam().afternoon);
    EXPECT_EQ(FormatValue(type, Bytes({13 << 3 | 45 >> 3, (45 & 7) << 5 | 15}), true), GetParam().afternoon);
    EXPECT_EQ(FormatValue(type, Le16(12 << 11)), GetParam().noon);
    // Second fields 30 and 31 stand for 60 and 62 seconds.
    EXPECT_EQ(FormatValue(type, Le16(1 << 11 | 30)), "<Invalid>");
    EXPECT_EQ(FormatValue(type, Le16(1 << 11 | 31)), "<Invalid>");
    EXPECT_EQ(FormatValue(type, Le16(24 << 11)), "<Invalid>");
    EXPECT_EQ(FormatValue(type, Le16(1 << 11 | 60 << 5)), "<Invalid>");
}

TEST_P(DosTime, ParseHonoursAmAndPmInEveryLocale)
{
    const TypeRecord& type = Type("MS-DOS Time");
    EXPECT_EQ(ParseValue(type, "12:05 AM"), Le16(0 << 11 | 5 << 5));
    EXPECT_EQ(ParseValue(type, "12:05am"), Le16(0 << 11 | 5 << 5));
    EXPECT_EQ(ParseValue(type, "12:05 PM"), Le16(12 << 11 | 5 << 5));
    EXPECT_EQ(ParseValue(type, "1:05 pm"), Le16(13 << 11 | 5 << 5));
    EXPECT_EQ(ParseValue(type, "12:05"), Le16(12 << 11 | 5 << 5));
    EXPECT_EQ(ParseValue(type, "0:05"), Le16(0 << 11 | 5 << 5));
    EXPECT_FALSE(ParseValue(type, "13:05 PM").has_value());
    EXPECT_FALSE(ParseValue(type, "24:00").has_value());
    EXPECT_FALSE(ParseValue(type, "12:60").has_value());
    EXPECT_FALSE(ParseValue(type, "12:00:60").has_value());
    EXPECT_FALSE(ParseValue(type, "12:00:00:1000").has_value());
    EXPECT_FALSE(ParseValue(type, GetParam().leapDay2000).has_value());
}

TEST_P(DosTime, ParseHalvesTheSecondsAndDropsMilliseconds)
{
    const TypeRecord& type = Type("MS-DOS Time");
    EXPECT_EQ(ParseValue(type, "13:45:31"), Le16(13 << 11 | 45 << 5 | 15));
    EXPECT_EQ(ParseValue(type, "13:45:31:999"), Le16(13 << 11 | 45 << 5 | 15));
    EXPECT_EQ(ParseValue(type, "13:45:31", true), Bytes({13 << 3 | 45 >> 3, (45 & 7) << 5 | 15}));
    EXPECT_EQ(ParseValue(type, GetParam().afternoon), Le16(13 << 11 | 45 << 5 | 15));
}

using SystemTimeType = TypextLocaleTest;

TEST_P(SystemTimeType, WritesMillisecondsAfterAThirdSeparatorAndReadsThemBack)
{
    const TypeRecord& type = Type("SYSTEMTIME");
    const QByteArray value = SystemTime(2021, 3, 4, 5, 6, 7, 250);
    EXPECT_EQ(FormatValue(type, value), GetParam().systemTimeMs);
    int32_t radix = 0;
    EXPECT_EQ(ParseValue(type, GetParam().systemTimeMs, false, &radix), value);
    EXPECT_EQ(radix, 10);
}

TEST_P(SystemTimeType, SwapsEachFieldOnItsOwnUnderBigEndian)
{
    const TypeRecord& type = Type("SYSTEMTIME");
    QByteArray big;
    for (int field : {2021, 3, 0, 4, 5, 6, 7, 250})
        big += Bytes({field >> 8, field & 0xFF});
    EXPECT_EQ(FormatValue(type, big, true), GetParam().systemTimeMs);
    EXPECT_EQ(ParseValue(type, GetParam().systemTimeMs, true), big);
}

TEST_P(SystemTimeType, WritesOnlyTheValidPartAndLeavesMissingPartsZero)
{
    const TypeRecord& type = Type("SYSTEMTIME");
    // Month 0: the date is left out, the time alone is written.
    EXPECT_EQ(FormatValue(type, SystemTime(0, 0, 0, 0, 5, 0, 0)), GetParam().fiveAfterMidnight);
    EXPECT_EQ(FormatValue(type, SystemTime(2021, 2, 29, 25, 0, 0, 0)), "<Invalid>");
    EXPECT_EQ(ParseValue(type, GetParam().afternoon), SystemTime(0, 0, 0, 13, 45, 30, 0));
    EXPECT_EQ(ParseValue(type, GetParam().leapDay2000), SystemTime(2000, 2, 29, 0, 0, 0, 0));
    // The day of week is never computed: it stays 0.
    const QString both = QString::fromLatin1(GetParam().afternoon) + u' ' + GetParam().leapDay2000;
    EXPECT_EQ(ParseValue(type, both), SystemTime(2000, 2, 29, 13, 45, 30, 0));
    EXPECT_FALSE(ParseValue(type, GetParam().leapDay2001).has_value());
}

using FileTimeType = TypextLocaleTest;

TEST_P(FileTimeType, CountsTicksFrom1601)
{
    const TypeRecord& type = Type("FILETIME");
    EXPECT_EQ(FormatValue(type, Le64(0)), GetParam().fileTimeZero);
    EXPECT_EQ(FormatValue(type, Le64(kTicks2000)), GetParam().fileTime2000);
    EXPECT_EQ(ParseValue(type, GetParam().fileTime2000), Le64(kTicks2000));
    EXPECT_EQ(ParseValue(type, GetParam().fileTimeZero), Le64(0));
    // 250 ms and a fraction of a millisecond: only whole milliseconds show.
    EXPECT_EQ(FormatValue(type, Le64(kTicks2000 + 2500000 + 9999)), GetParam().fileTime2000Ms);
    EXPECT_EQ(ParseValue(type, GetParam().fileTime2000Ms), Le64(kTicks2000 + 2500000));
}

TEST_P(FileTimeType, SwapsEachHalfOnItsOwnUnderBigEndian)
{
    const TypeRecord& type = Type("FILETIME");
    // Low half 1, high half 2.
    EXPECT_EQ(FormatValue(type, Bytes({0, 0, 0, 1, 0, 0, 0, 2}), true),
              FormatValue(type, Le64(0x0000000200000001ull)));
    const QByteArray ticks = Le64(kTicks2000);
    const QByteArray halvesSwapped = Bytes({ticks[3], ticks[2], ticks[1], ticks[0], ticks[7], ticks[6], ticks[5],
                                            ticks[4]});
    EXPECT_EQ(ParseValue(type, GetParam().fileTime2000, true), halvesSwapped);
}

TEST_P(FileTimeType, RejectsWhatHasNoCalendarMoment)
{
    const TypeRecord& type = Type("FILETIME");
    EXPECT_EQ(FormatValue(type, Le64(0x8000000000000000ull)), "<Invalid>");
    EXPECT_EQ(FormatValue(type, Le64(~0ull)), "<Invalid>");
    EXPECT_NE(FormatValue(type, Le64(0x7FFFFFFFFFFFFFFFull)), "<Invalid>");
    EXPECT_FALSE(ParseValue(type, GetParam().afternoon).has_value()); // a time alone
    EXPECT_FALSE(ParseValue(type, GetParam().leapDay2001).has_value());
    const QString lastDayOf1600 = QString::fromLatin1(GetParam().dosDate2107).replace("2107", "1600");
    EXPECT_FALSE(ParseValue(type, lastDayOf1600).has_value());
}

INSTANTIATE_TEST_SUITE_P(Locales, DosDate, testing::ValuesIn(kLocaleCases), LocaleName);
INSTANTIATE_TEST_SUITE_P(Locales, DosTime, testing::ValuesIn(kLocaleCases), LocaleName);
INSTANTIATE_TEST_SUITE_P(Locales, SystemTimeType, testing::ValuesIn(kLocaleCases), LocaleName);
INSTANTIATE_TEST_SUITE_P(Locales, FileTimeType, testing::ValuesIn(kLocaleCases), LocaleName);
