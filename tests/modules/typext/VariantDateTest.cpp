// Variant Date: OLE Automation dates written and read in the locale's
// short date and long time formats.
#include "TypextLocales.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace {

QByteArray DoubleBytes(double value, bool bigEndian = false)
{
    QByteArray bytes(8, '\0');
    std::memcpy(bytes.data(), &value, 8);
    if (bigEndian)
        std::reverse(bytes.begin(), bytes.end());
    return bytes;
}

std::optional<double> ParsedDouble(const TypeRecord& type, const QString& text, bool bigEndian = false)
{
    std::optional<QByteArray> bytes = ParseValue(type, text, bigEndian);
    if (!bytes)
        return std::nullopt;
    if (bigEndian)
        std::reverse(bytes->begin(), bytes->end());
    double value;
    std::memcpy(&value, bytes->constData(), 8);
    return value;
}

} // namespace

using VariantDate = TypextLocaleTest;

TEST_P(VariantDate, LeavesOutTheDateOnDayZeroAndTheTimeAtMidnight)
{
    const TypeRecord& type = Type("Variant Date");
    EXPECT_EQ(FormatValue(type, DoubleBytes(0.0)), GetParam().oleZero);
    EXPECT_EQ(FormatValue(type, DoubleBytes(1.0)), GetParam().oleOne);
    EXPECT_EQ(FormatValue(type, DoubleBytes(36526.5)), GetParam().oleNoon2000);
    EXPECT_EQ(FormatValue(type, DoubleBytes(36526.5, true), true), GetParam().oleNoon2000);
    // Before 1899 the fraction still counts forward from midnight.
    EXPECT_EQ(FormatValue(type, DoubleBytes(-1.25)), GetParam().oleBefore1899);
    // A time that rounds up to midnight belongs to the next day.
    EXPECT_EQ(FormatValue(type, DoubleBytes(0.999999999)), GetParam().oleOne);
}

TEST_P(VariantDate, CoversTheYears100To9999Only)
{
    const TypeRecord& type = Type("Variant Date");
    EXPECT_EQ(FormatValue(type, DoubleBytes(-657434.0)), GetParam().oleFirstDay);
    EXPECT_EQ(FormatValue(type, DoubleBytes(2958465.75)), GetParam().oleLastEvening);
    for (double outside : {-657435.0, 2958466.0, 2958465.9999999999, 1e300, -1e300,
                           std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_EQ(FormatValue(type, DoubleBytes(outside)), "<Invalid>") << outside;
}

TEST_P(VariantDate, ParsesWhatItWrites)
{
    const TypeRecord& type = Type("Variant Date");
    EXPECT_EQ(ParsedDouble(type, GetParam().oleZero), 0.0);
    EXPECT_EQ(ParsedDouble(type, GetParam().oleOne), 1.0);
    EXPECT_EQ(ParsedDouble(type, GetParam().oleNoon2000), 36526.5);
    EXPECT_EQ(ParsedDouble(type, GetParam().oleNoon2000, true), 36526.5);
    EXPECT_EQ(ParsedDouble(type, GetParam().oleBefore1899), -1.25);
    EXPECT_EQ(ParsedDouble(type, GetParam().oleFirstDay), -657434.0);
    EXPECT_EQ(ParsedDouble(type, GetParam().oleLastEvening), 2958465.75);
    const QString tooLate = QString::fromLatin1(GetParam().dosDate2107).replace("2107", "10000");
    EXPECT_FALSE(ParsedDouble(type, tooLate).has_value());
    EXPECT_FALSE(ParsedDouble(type, GetParam().leapDay2001).has_value());
    EXPECT_FALSE(ParsedDouble(type, "").has_value());
}

TEST_P(VariantDate, RoundTripsWholeSecondsAcrossTheRange)
{
    const TypeRecord& type = Type("Variant Date");
    std::mt19937 random(7);
    std::uniform_int_distribution<int64_t> days(-657434, 2958465);
    std::uniform_int_distribution<int> seconds(0, 86399);
    for (int i = 0; i < 500; ++i) {
        const int64_t day = i % 50 == 0 ? 0 : days(random);
        const int second = i % 40 == 1 ? 0 : seconds(random);
        const double fraction = second / 86400.0;
        const double value = day >= 0 ? double(day) + fraction : double(day) - fraction;
        const QString text = FormatValue(type, DoubleBytes(value));
        const std::optional<double> back = ParsedDouble(type, text);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        EXPECT_NEAR(*back, value, 0.5 / 86400.0) << text.toStdString();
        EXPECT_EQ(FormatValue(type, DoubleBytes(*back)), text);
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, VariantDate, testing::ValuesIn(kLocaleCases), LocaleName);
