// Parsing, formatting and integer value of the eight integer types.
#include "ValueTestSupport.h"

#include <QStringList>

namespace {

struct RangeCase {
    int type;
    const char* text;
    bool ok;
    uint64_t stored;  // native value of the type's width
};

void PrintTo(const RangeCase& c, std::ostream* os)
{
    *os << StdValueTypeAt(c.type).name << " \"" << c.text << '"';
}

class IntegerRangeTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(IntegerRangeTest, AcceptsExactlyTheTypesRange)
{
    const RangeCase& c = GetParam();
    TypedValue value;
    ASSERT_EQ(TryParse(c.type, QString::fromLatin1(c.text), value), c.ok);
    if (c.ok) {
        EXPECT_EQ(RawOf(value), c.stored);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Unsigned, IntegerRangeTest,
    ::testing::Values(RangeCase{TYPE_BYTE, "0", true, 0}, RangeCase{TYPE_BYTE, "255", true, 0xFF},
                      RangeCase{TYPE_BYTE, "256", false, 0}, RangeCase{TYPE_BYTE, "-1", false, 0},
                      RangeCase{TYPE_BYTE, "-0", true, 0}, RangeCase{TYPE_BYTE, "0xFF", true, 0xFF},
                      RangeCase{TYPE_BYTE, "0x100", false, 0}, RangeCase{TYPE_BYTE, "0377", true, 0xFF},
                      RangeCase{TYPE_BYTE, "0400", false, 0},
                      RangeCase{TYPE_BYTE, "-18446744073709551615", false, 0},
                      RangeCase{TYPE_WORD, "65535", true, 0xFFFF}, RangeCase{TYPE_WORD, "65536", false, 0},
                      RangeCase{TYPE_WORD, "-1", false, 0}, RangeCase{TYPE_WORD, "0x10000", false, 0},
                      RangeCase{TYPE_DWORD, "4294967295", true, 0xFFFFFFFF},
                      RangeCase{TYPE_DWORD, "4294967296", false, 0}, RangeCase{TYPE_DWORD, "-1", false, 0},
                      RangeCase{TYPE_QWORD, "18446744073709551615", true, UINT64_MAX},
                      RangeCase{TYPE_QWORD, "18446744073709551616", false, 0},
                      RangeCase{TYPE_QWORD, "-1", true, UINT64_MAX},
                      RangeCase{TYPE_QWORD, "-18446744073709551615", true, 1},
                      RangeCase{TYPE_QWORD, "0xFFFFFFFFFFFFFFFF", true, UINT64_MAX}));

INSTANTIATE_TEST_SUITE_P(
    Signed, IntegerRangeTest,
    ::testing::Values(RangeCase{TYPE_SIGNED_BYTE, "127", true, 0x7F}, RangeCase{TYPE_SIGNED_BYTE, "128", false, 0},
                      RangeCase{TYPE_SIGNED_BYTE, "255", false, 0}, RangeCase{TYPE_SIGNED_BYTE, "-128", true, 0x80},
                      RangeCase{TYPE_SIGNED_BYTE, "-129", false, 0}, RangeCase{TYPE_SIGNED_BYTE, "0xFF", true, 0xFF},
                      RangeCase{TYPE_SIGNED_BYTE, "0377", true, 0xFF}, RangeCase{TYPE_SIGNED_BYTE, "0x100", false, 0},
                      RangeCase{TYPE_SIGNED_BYTE, "-0x80", true, 0x80}, RangeCase{TYPE_SIGNED_BYTE, "-0x81", false, 0},
                      RangeCase{TYPE_SIGNED_BYTE, "-0xFF", false, 0},
                      RangeCase{TYPE_SIGNED_WORD, "32767", true, 0x7FFF},
                      RangeCase{TYPE_SIGNED_WORD, "32768", false, 0},
                      RangeCase{TYPE_SIGNED_WORD, "-32768", true, 0x8000},
                      RangeCase{TYPE_SIGNED_WORD, "-32769", false, 0},
                      RangeCase{TYPE_SIGNED_WORD, "0xFFFF", true, 0xFFFF},
                      RangeCase{TYPE_SIGNED_WORD, "65535", false, 0},
                      RangeCase{TYPE_SIGNED_WORD, "0x10000", false, 0},
                      RangeCase{TYPE_SIGNED_DWORD, "2147483647", true, 0x7FFFFFFF},
                      RangeCase{TYPE_SIGNED_DWORD, "2147483648", false, 0},
                      RangeCase{TYPE_SIGNED_DWORD, "-2147483648", true, 0x80000000},
                      RangeCase{TYPE_SIGNED_DWORD, "-2147483649", false, 0},
                      RangeCase{TYPE_SIGNED_DWORD, "0xFFFFFFFF", true, 0xFFFFFFFF},
                      RangeCase{TYPE_SIGNED_DWORD, "037777777777", true, 0xFFFFFFFF},
                      RangeCase{TYPE_SIGNED_DWORD, "0x100000000", false, 0},
                      RangeCase{TYPE_SIGNED_QWORD, "9223372036854775807", true, 0x7FFFFFFFFFFFFFFF},
                      RangeCase{TYPE_SIGNED_QWORD, "9223372036854775808", false, 0},
                      RangeCase{TYPE_SIGNED_QWORD, "-9223372036854775808", true, 0x8000000000000000},
                      RangeCase{TYPE_SIGNED_QWORD, "-9223372036854775809", false, 0},
                      RangeCase{TYPE_SIGNED_QWORD, "18446744073709551615", false, 0},
                      RangeCase{TYPE_SIGNED_QWORD, "0x8000000000000000", true, 0x8000000000000000},
                      RangeCase{TYPE_SIGNED_QWORD, "0xFFFFFFFFFFFFFFFF", true, UINT64_MAX}));

TEST(IntegerTypeTextTest, ReportsTheRadixTheTextWasWrittenIn)
{
    TypedValue value;
    int radix = 0;
    ASSERT_TRUE(ParseValueText(TYPE_WORD, u"0x10", false, value, &radix, true));
    EXPECT_EQ(radix, 16);
    ASSERT_TRUE(ParseValueText(TYPE_SIGNED_DWORD, u"-010", false, value, &radix, true));
    EXPECT_EQ(radix, 8);
    EXPECT_EQ(RawOf(value), 0xFFFFFFF8u);
    ASSERT_TRUE(ParseValueText(TYPE_QWORD, u" 99 ", false, value, &radix, true));
    EXPECT_EQ(radix, 10);
}

TEST(IntegerTypeTextTest, SignedTypesShowTheirOwnWidthInHexAndOctal)
{
    EXPECT_EQ(IntValue(TYPE_SIGNED_BYTE, 0xFF).Format(false, 10), "-1");
    EXPECT_EQ(IntValue(TYPE_SIGNED_BYTE, 0xFF).Format(false, 16), "0xFF");
    EXPECT_EQ(IntValue(TYPE_SIGNED_BYTE, 0xFF).Format(false, 8), "0377");
    EXPECT_EQ(IntValue(TYPE_SIGNED_WORD, 0x8000).Format(false, 10), "-32768");
    EXPECT_EQ(IntValue(TYPE_SIGNED_WORD, 0x8000).Format(false, 16), "0x8000");
    EXPECT_EQ(IntValue(TYPE_SIGNED_DWORD, 0xFFFFFFFE).Format(false, 16), "0xFFFFFFFE");
    EXPECT_EQ(IntValue(TYPE_SIGNED_QWORD, 0x8000000000000000).Format(false, 10), "-9223372036854775808");
    EXPECT_EQ(IntValue(TYPE_BYTE, 0xFF).Format(false, 10), "255");
    EXPECT_EQ(IntValue(TYPE_QWORD, UINT64_MAX).Format(false, 10), "18446744073709551615");
}

// Every boundary pattern of every integer type, in every radix and byte
// order, formats within the display length and parses back to itself.
TEST(IntegerTypeTextTest, BoundaryValuesRoundTripWithinDisplayLength)
{
    const uint64_t patterns[] = {0, 1, 0x7F, 0x80, 0xFF, 0x7FFF, 0x8000, 0xFFFF, 0x7FFFFFFF, 0x80000000,
                                 0xFFFFFFFF, 0x7FFFFFFFFFFFFFFF, 0x8000000000000000, UINT64_MAX,
                                 0x0123456789ABCDEF};
    for (int type = TYPE_BYTE; type <= TYPE_SIGNED_QWORD; ++type) {
        const StdValueType& valueType = StdValueTypeAt(type);
        for (uint64_t pattern : patterns) {
            for (bool bigEndian : {false, true}) {
                for (int radix : {8, 10, 16}) {
                    const TypedValue original = IntValue(type, pattern);
                    const QString text = original.Format(bigEndian, radix);
                    EXPECT_LE(text.size(), valueType.displayLength) << text.toStdString();
                    TypedValue parsed;
                    ASSERT_TRUE(TryParse(type, text, parsed, bigEndian))
                        << valueType.name << " " << text.toStdString();
                    EXPECT_EQ(StoredBytes(parsed), StoredBytes(original))
                        << valueType.name << " " << text.toStdString() << (bigEndian ? " BE" : "");
                }
            }
        }
    }
}

TEST(IntegerTypeTextTest, BigEndianStoresMostSignificantByteFirst)
{
    TypedValue value;
    ASSERT_TRUE(TryParse(TYPE_WORD, "0x1234", value, true));
    EXPECT_EQ(StoredBytes(value), (std::vector<uint8_t>{0x12, 0x34}));
    EXPECT_EQ(value.Format(true, 16), "0x1234");
    EXPECT_EQ(value.Format(false, 16), "0x3412");

    ASSERT_TRUE(TryParse(TYPE_SIGNED_DWORD, "-2", value, true));
    EXPECT_EQ(StoredBytes(value), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFE}));
    EXPECT_EQ(value.Format(true, 10), "-2");

    ASSERT_TRUE(TryParse(TYPE_QWORD, "0x0102030405060708", value, true));
    EXPECT_EQ(StoredBytes(value), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(value.Format(true, 16), "0x102030405060708");
}

TEST(IntegerTypeTextTest, SingleBytesIgnoreByteOrder)
{
    TypedValue value;
    ASSERT_TRUE(TryParse(TYPE_SIGNED_BYTE, "-2", value, true));
    EXPECT_EQ(RawOf(value), 0xFEu);
    EXPECT_EQ(value.Format(true, 16), "0xFE");
}

TEST(IntegerValueTest, WidensEachTypeAsDocumented)
{
    auto integerValue = [](int type, uint64_t raw, bool bigEndian = false) {
        const TypedValue value = IntValue(type, raw);
        return value.Type().integerValue(value.bytes.data(), bigEndian);
    };
    EXPECT_EQ(integerValue(TYPE_BYTE, 0xFF), 0xFFu);
    EXPECT_EQ(integerValue(TYPE_SIGNED_BYTE, 0xFF), 0xFFu);  // zero-extended
    EXPECT_EQ(integerValue(TYPE_SIGNED_WORD, 0xFFFF), 0xFFFFu);
    EXPECT_EQ(integerValue(TYPE_WORD, 0x1234, true), 0x3412u);
    EXPECT_EQ(integerValue(TYPE_DWORD, 0x12345678, true), 0x78563412u);
    EXPECT_EQ(integerValue(TYPE_SIGNED_DWORD, 0x80000000), 0x80000000u);
    EXPECT_EQ(integerValue(TYPE_QWORD, 0x1122334455667788), 0x55667788u);
    // Stored big-endian as 11 22 .. 88: the number is 0x1122334455667788.
    EXPECT_EQ(integerValue(TYPE_SIGNED_QWORD, 0x8877665544332211, true), 0x55667788u);
}

} // namespace
