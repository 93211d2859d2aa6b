// The rules of the date and time reader, seen through SYSTEMTIME, the type
// that accepts both a date and a time.
#include "TypextLocales.h"

namespace {

QByteArray SystemTime(int year, int month, int day, int hour, int minute, int second, int ms)
{
    QByteArray bytes;
    for (int field : {year, month, 0, day, hour, minute, second, ms})
        bytes += Le16(field);
    return bytes;
}

} // namespace

using DateTextReader = TypextLocaleTest;

TEST_P(DateTextReader, FailsWithoutAnyGroup)
{
    const TypeRecord& type = Type("SYSTEMTIME");
    for (const char* text : {"", "   ", "abc", "x 1:00", "AM", "-1:00"})
        EXPECT_FALSE(ParseValue(type, text).has_value()) << '"' << text << '"';
}

TEST_P(DateTextReader, AllowsWhiteSpaceAroundNumbersAndIgnoresTrailingText)
{
    const TypeRecord& type = Type("SYSTEMTIME");
    const QByteArray oneOhTwo = SystemTime(0, 0, 0, 1, 2, 0, 0);
    for (const char* text : {"1:2", " 1:02 ", "1 : 2", "1: 2", "01:02 and more", "1:02 AM, done"})
        EXPECT_EQ(ParseValue(type, text), oneOhTwo) << '"' << text << '"';
}

TEST_P(DateTextReader, LimitsNumbersToFiveDigitsAndGroupsToFourNumbers)
{
    const TypeRecord& type = Type("SYSTEMTIME");
    EXPECT_EQ(ParseValue(type, "1:00002"), SystemTime(0, 0, 0, 1, 2, 0, 0));
    EXPECT_FALSE(ParseValue(type, "1:000002").has_value());
    EXPECT_EQ(ParseValue(type, "1:2:3:4"), SystemTime(0, 0, 0, 1, 2, 3, 4));
    EXPECT_FALSE(ParseValue(type, "1:2:3:4:5").has_value());
}

TEST_P(DateTextReader, RejectsBrokenGroups)
{
    const TypeRecord& type = Type("SYSTEMTIME");
    const QString date = QString::fromLatin1(GetParam().leapDay2000);
    const QStringList broken{
        "1:",                                 // a separator without a number
        "1:2:",                               // the same at the end
        "5",                                  // a lone number has no separator
        date + " 5",                          // nor after a date
        "1;2",                                // an unknown separator
        "1:00 2:00",                          // a second time
        date + " " + date,                    // a second date
        date.left(date.lastIndexOf(date[date.size() - 5])), // a date of two numbers
        GetParam().foreignSeparator,
    };
    for (const QString& text : broken)
        EXPECT_FALSE(ParseValue(type, text).has_value()) << '"' << text.toStdString() << '"';
}

TEST_P(DateTextReader, ReadsTimeAndDateInEitherOrder)
{
    const TypeRecord& type = Type("SYSTEMTIME");
    const QString date = QString::fromLatin1(GetParam().leapDay2000);
    const QByteArray expected = SystemTime(2000, 2, 29, 17, 30, 0, 0);
    EXPECT_EQ(ParseValue(type, date + " 5:30 PM"), expected);
    EXPECT_EQ(ParseValue(type, "17:30 " + date), expected);
    EXPECT_EQ(ParseValue(type, "5:30pm" + date), expected);
}

INSTANTIATE_TEST_SUITE_P(Locales, DateTextReader, testing::ValuesIn(kLocaleCases), LocaleName);
