#include "types/DigitValue.h"
#include "types/IntegerText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>

namespace {

struct IntegerTextCase {
    const char16_t* text;
    bool ok;
    uint64_t value;
    int radix;
    bool negative;
};

void PrintTo(const IntegerTextCase& c, std::ostream* os) { *os << QString::fromUtf16(c.text).toStdString(); }

class ParseIntegerTest : public ::testing::TestWithParam<IntegerTextCase> {};

TEST_P(ParseIntegerTest, GivesValueRadixAndSign)
{
    const IntegerTextCase& c = GetParam();
    const ParsedInteger result = ParseInteger(QStringView(c.text));
    ASSERT_EQ(result.Ok(), c.ok);
    if (!c.ok)
        return;
    EXPECT_EQ(result.value, c.value);
    EXPECT_EQ(result.radix, c.radix);
    EXPECT_EQ(result.negative, c.negative);
}

constexpr uint64_t MAX64 = UINT64_MAX;

INSTANTIATE_TEST_SUITE_P(
    Syntax, ParseIntegerTest,
    ::testing::Values(IntegerTextCase{u"0", true, 0, 10, false},
                      IntegerTextCase{u"010", true, 8, 8, false},
                      IntegerTextCase{u"08", true, 8, 10, false},
                      IntegerTextCase{u"09", true, 9, 10, false},
                      IntegerTextCase{u"00", true, 0, 8, false},
                      IntegerTextCase{u"0x0", true, 0, 16, false},
                      IntegerTextCase{u"0xff", true, 255, 16, false},
                      IntegerTextCase{u"0XaB", true, 0xAB, 16, false},
                      IntegerTextCase{u"0x000012", true, 0x12, 16, false},
                      IntegerTextCase{u"  \t42 \r\n", true, 42, 10, false},
                      IntegerTextCase{u"+7", true, 7, 10, false},
                      IntegerTextCase{u"-1", true, MAX64, 10, true},
                      IntegerTextCase{u"-0", true, 0, 10, true},
                      IntegerTextCase{u"-0x10", true, 0 - uint64_t(16), 16, true},
                      IntegerTextCase{u"-017", true, 0 - uint64_t(15), 8, true},
                      IntegerTextCase{u"0x", false, 0, 0, false},
                      IntegerTextCase{u"0x ", false, 0, 0, false},
                      IntegerTextCase{u"", false, 0, 0, false},
                      IntegerTextCase{u"   ", false, 0, 0, false},
                      IntegerTextCase{u"-", false, 0, 0, false},
                      IntegerTextCase{u"- 5", false, 0, 0, false},
                      IntegerTextCase{u"12a", false, 0, 0, false},
                      IntegerTextCase{u"12 3", false, 0, 0, false},
                      IntegerTextCase{u"078", false, 0, 0, false},
                      IntegerTextCase{u"0x1G", false, 0, 0, false},
                      IntegerTextCase{u"1:", false, 0, 0, false},
                      IntegerTextCase{u"1_000", false, 0, 0, false},
                      IntegerTextCase{u"1.5", false, 0, 0, false},
                      IntegerTextCase{u"\u0661", false, 0, 0, false},  // Arabic-Indic digit one
                      IntegerTextCase{u"0x\u0131", false, 0, 0, false}, // dotless i upper-cases to I
                      IntegerTextCase{u"1\u00a0", false, 0, 0, false})); // no-break space is not a blank

INSTANTIATE_TEST_SUITE_P(
    Overflow, ParseIntegerTest,
    ::testing::Values(IntegerTextCase{u"18446744073709551615", true, MAX64, 10, false},
                      IntegerTextCase{u"18446744073709551616", false, 0, 0, false},
                      IntegerTextCase{u"18446744073709551619", false, 0, 0, false},
                      IntegerTextCase{u"18446744073709551620", false, 0, 0, false},
                      IntegerTextCase{u"99999999999999999999", false, 0, 0, false},
                      IntegerTextCase{u"0000001777777777777777777777", true, MAX64, 8, false},
                      IntegerTextCase{u"0xFFFFFFFFFFFFFFFF", true, MAX64, 16, false},
                      IntegerTextCase{u"0x0000FFFFFFFFFFFFFFFF", true, MAX64, 16, false},
                      IntegerTextCase{u"0x10000000000000000", false, 0, 0, false},
                      IntegerTextCase{u"01777777777777777777777", true, MAX64, 8, false},
                      IntegerTextCase{u"02000000000000000000000", false, 0, 0, false},
                      IntegerTextCase{u"07777777777777777777777", false, 0, 0, false}));

TEST(ParseIntegerNulTest, EmbeddedNulFails)
{
    const QString text = QStringLiteral("12") + QChar(0) + QStringLiteral("3");
    EXPECT_TRUE(ParseInteger(text).error);
}

TEST(FormatIntegerTest, WritesEachRadixTheWayItParsesBack)
{
    EXPECT_EQ(FormatInteger(0, false, 10), "0");
    EXPECT_EQ(FormatInteger(0, false, 16), "0x0");
    EXPECT_EQ(FormatInteger(0, false, 8), "00");
    EXPECT_EQ(FormatInteger(0xABCDEF, false, 16), "0xABCDEF");
    EXPECT_EQ(FormatInteger(8, false, 8), "010");
    EXPECT_EQ(FormatInteger(MAX64, false, 10), "18446744073709551615");
    EXPECT_EQ(FormatInteger(MAX64, true, 10), "-1");
    EXPECT_EQ(FormatInteger(uint64_t(INT64_MIN), true, 10), "-9223372036854775808");
    EXPECT_EQ(FormatInteger(MAX64, true, 16), "0xFFFFFFFFFFFFFFFF");
    EXPECT_EQ(FormatInteger(MAX64, true, 8), "01777777777777777777777");
    EXPECT_EQ(FormatInteger(42, false, 2), "42");
}

TEST(FormatIntegerTest, RoundTripsThroughParseInEveryRadix)
{
    for (uint64_t value : {uint64_t(0), uint64_t(1), uint64_t(7), uint64_t(8), uint64_t(255), uint64_t(INT64_MAX),
                           uint64_t(INT64_MIN), MAX64}) {
        for (int radix : {8, 10, 16}) {
            const ParsedInteger parsed = ParseInteger(FormatInteger(value, true, radix));
            ASSERT_TRUE(parsed.Ok()) << value << " radix " << radix;
            EXPECT_EQ(parsed.value, value) << "radix " << radix;
            EXPECT_EQ(parsed.radix, radix) << value;
        }
    }
}

} // namespace

// Every UTF-16 unit against the C library's reading of one ASCII digit in
// base 36: only ASCII digits and letters have a value, and a hex digit is one
// below 16. Full-width digits and other scripts' letters are no digits.
TEST(DigitValueTest, AgreesWithTheCLibraryOnEveryUnit)
{
    for (uint32_t unit = 0; unit <= 0xFFFF; ++unit) {
        const auto c = char16_t(unit);
        int expected = -1;
        if (unit < 128 && std::isalnum(int(unit))) {
            const char digit[2] = {char(unit), '\0'};
            expected = int(std::strtol(digit, nullptr, 36));
        }
        ASSERT_EQ(DigitValue(c), expected) << unit;
        ASSERT_EQ(HexDigitValue(c), expected < 16 ? expected : -1) << unit;
    }
}
