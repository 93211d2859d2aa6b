// Parsing and formatting of Single, Double and the two character types.
#include "ValueTestSupport.h"

#include <cfloat>

namespace {

struct FloatCase {
    const char16_t* text;
    bool singleOk;
    bool doubleOk;
    double value;  // as Double; Single stores it rounded
};

void PrintTo(const FloatCase& c, std::ostream* os) { *os << QString::fromUtf16(c.text).toStdString(); }

class FloatParseTest : public ::testing::TestWithParam<FloatCase> {};

TEST_P(FloatParseTest, SingleAndDoubleAcceptTheirRanges)
{
    const FloatCase& c = GetParam();
    TypedValue single;
    TypedValue dbl;
    int radix = 0;
    ASSERT_EQ(ParseValueText(TYPE_SINGLE, QStringView(c.text), false, single, &radix, true), c.singleOk);
    if (c.singleOk) {
        EXPECT_EQ(radix, 10);
        float stored;
        std::memcpy(&stored, single.bytes.data(), sizeof stored);
        EXPECT_EQ(stored, float(c.value));
    }
    ASSERT_EQ(ParseValueText(TYPE_DOUBLE, QStringView(c.text), false, dbl, &radix, true), c.doubleOk);
    if (c.doubleOk) {
        double stored;
        std::memcpy(&stored, dbl.bytes.data(), sizeof stored);
        EXPECT_EQ(stored, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FloatParseTest,
    ::testing::Values(FloatCase{u"0", true, true, 0.0}, FloatCase{u"1.5", true, true, 1.5},
                      FloatCase{u" -2.25e1 ", true, true, -22.5}, FloatCase{u"+.5", true, true, 0.5},
                      FloatCase{u"5.", true, true, 5.0}, FloatCase{u"1E3", true, true, 1000.0},
                      FloatCase{u"0.1", true, true, 0.1}, FloatCase{u"3.5e38", false, true, 3.5e38},
                      FloatCase{u"-3.5e38", false, true, -3.5e38}, FloatCase{u"1e-40", false, true, 1e-40},
                      FloatCase{u"3.40282e+38", true, true, 3.40282e38},
                      FloatCase{u"1.1754944e-38", true, true, 1.1754944e-38},
                      FloatCase{u"1.1754942e-38", false, true, 1.1754942e-38},
                      FloatCase{u"0e-99999", true, true, 0.0}, FloatCase{u"4.9e-324", false, true, 4.9e-324},
                      FloatCase{u"1e400", false, false, 0}, FloatCase{u"1e-400", false, false, 0},
                      FloatCase{u"", false, false, 0}, FloatCase{u" ", false, false, 0},
                      FloatCase{u".", false, false, 0}, FloatCase{u"-", false, false, 0},
                      FloatCase{u"1e", false, false, 0}, FloatCase{u"1e+", false, false, 0},
                      FloatCase{u"2.5x", false, false, 0}, FloatCase{u"1,5", false, false, 0},
                      FloatCase{u"1 2", false, false, 0}, FloatCase{u"inf", false, false, 0},
                      FloatCase{u"nan", false, false, 0}, FloatCase{u"0x10", false, false, 0},
                      FloatCase{u"++1", false, false, 0}));

TEST(FloatTextTest, FormatsWithPercentGAndIgnoresByteOrder)
{
    EXPECT_EQ(ValueOf(TYPE_SINGLE, 1.5f).Format(false, 16), "1.5");
    EXPECT_EQ(ValueOf(TYPE_SINGLE, 0.1f).Format(true, 10), "0.1");
    EXPECT_EQ(ValueOf(TYPE_SINGLE, -FLT_MAX).Format(false, 10), "-3.40282e+38");
    EXPECT_EQ(ValueOf(TYPE_DOUBLE, 1e20).Format(true, 10), "1e+20");
    EXPECT_EQ(ValueOf(TYPE_DOUBLE, 123456789.0).Format(false, 10), "1.23457e+08");
    EXPECT_EQ(ValueOf(TYPE_DOUBLE, -DBL_MAX).Format(false, 10), "-1.79769e+308");

    TypedValue parsed;
    ASSERT_TRUE(TryParse(TYPE_DOUBLE, "2.5", parsed, true));
    EXPECT_EQ(StoredBytes(parsed), StoredBytes(ValueOf(TYPE_DOUBLE, 2.5)));
}

// %g keeps six digits, so a formatted value parses back to the value its
// text shows (the sign of zero included), not to the original.
TEST(FloatTextTest, FormattedTextParsesBackToTheSameTextWithinDisplayLength)
{
    for (double d : {0.0, -0.0, 1.0, -1.5, 1e-30, 3.0e38, -123456.75, 2.0e-38}) {
        for (int type : {TYPE_SINGLE, TYPE_DOUBLE}) {
            const TypedValue original = type == TYPE_SINGLE ? ValueOf(type, float(d)) : ValueOf(type, d);
            const QString text = original.Format(false, 10);
            EXPECT_LE(text.size(), original.Type().displayLength);
            TypedValue parsed;
            ASSERT_TRUE(TryParse(type, text, parsed)) << text.toStdString();
            EXPECT_EQ(parsed.Format(false, 10), text);
        }
    }
}

TEST(AsciiCharacterTest, ParsesExactlyOneNonZeroCodeUnit)
{
    TypedValue value;
    int radix = 0;
    ASSERT_TRUE(ParseValueText(TYPE_ASCII_CHARACTER, u"A", false, value, &radix, true));
    EXPECT_EQ(RawOf(value), 0x41u);
    EXPECT_EQ(radix, 10);
    ASSERT_TRUE(TryParse(TYPE_ASCII_CHARACTER, QStringLiteral("\u00e9"), value));
    EXPECT_EQ(RawOf(value), 0xE9u);
    ASSERT_TRUE(TryParse(TYPE_ASCII_CHARACTER, QStringLiteral("\u20ac"), value));
    EXPECT_EQ(RawOf(value), 0xACu);  // the low 8 bits
    ASSERT_TRUE(TryParse(TYPE_ASCII_CHARACTER, " ", value));
    EXPECT_EQ(RawOf(value), 0x20u);

    EXPECT_FALSE(TryParse(TYPE_ASCII_CHARACTER, "", value));
    EXPECT_FALSE(TryParse(TYPE_ASCII_CHARACTER, "AB", value));
    EXPECT_FALSE(TryParse(TYPE_ASCII_CHARACTER, QString(QChar(0)), value));
}

TEST(AsciiCharacterTest, FormatsUnsignedHexOrSignedDecimalWithPrintableCharacter)
{
    EXPECT_EQ(IntValue(TYPE_ASCII_CHARACTER, 0x41).Format(false, 16), "0x41 'A'");
    EXPECT_EQ(IntValue(TYPE_ASCII_CHARACTER, 0x41).Format(false, 10), "65 'A'");
    EXPECT_EQ(IntValue(TYPE_ASCII_CHARACTER, 0x20).Format(false, 16), "0x20 ' '");
    EXPECT_EQ(IntValue(TYPE_ASCII_CHARACTER, 0x7E).Format(false, 10), "126 '~'");
    EXPECT_EQ(IntValue(TYPE_ASCII_CHARACTER, 0x7F).Format(false, 16), "0x7F");
    EXPECT_EQ(IntValue(TYPE_ASCII_CHARACTER, 0x1F).Format(false, 10), "31");
    EXPECT_EQ(IntValue(TYPE_ASCII_CHARACTER, 0x00).Format(false, 16), "0x0");
    EXPECT_EQ(IntValue(TYPE_ASCII_CHARACTER, 0xE9).Format(false, 16), "0xE9");
    EXPECT_EQ(IntValue(TYPE_ASCII_CHARACTER, 0xE9).Format(false, 10), "-23");
    EXPECT_EQ(IntValue(TYPE_ASCII_CHARACTER, 0x80).Format(false, 10), "-128");
}

TEST(AsciiCharacterTest, IntegerValueIsSignExtended)
{
    const TypedValue value = IntValue(TYPE_ASCII_CHARACTER, 0xE9);
    EXPECT_EQ(value.Type().integerValue(value.bytes.data(), true), 0xFFFFFFE9u);
}

TEST(UnicodeCharacterTest, ParsesOneCodeUnitAndHonoursByteOrder)
{
    TypedValue value;
    ASSERT_TRUE(TryParse(TYPE_UNICODE_CHARACTER, "A", value));
    EXPECT_EQ(StoredBytes(value), (std::vector<uint8_t>{0x41, 0x00}));
    ASSERT_TRUE(TryParse(TYPE_UNICODE_CHARACTER, "A", value, true));
    EXPECT_EQ(StoredBytes(value), (std::vector<uint8_t>{0x00, 0x41}));
    EXPECT_EQ(value.Format(true, 16), "0x41 'A'");
    EXPECT_EQ(value.Type().integerValue(value.bytes.data(), true), 0x41u);

    EXPECT_FALSE(TryParse(TYPE_UNICODE_CHARACTER, "", value));
    EXPECT_FALSE(TryParse(TYPE_UNICODE_CHARACTER, "ab", value));
    EXPECT_FALSE(TryParse(TYPE_UNICODE_CHARACTER, QString::fromUtf8("\xF0\x9F\x98\x80"), value));  // a surrogate pair
    EXPECT_FALSE(TryParse(TYPE_UNICODE_CHARACTER, QString(QChar(0)), value));
}

TEST(UnicodeCharacterTest, FormatsWithWideCharacterClassification)
{
    EXPECT_EQ(IntValue(TYPE_UNICODE_CHARACTER, 0x20AC).Format(false, 16), QStringLiteral("0x20AC '\u20ac'"));
    EXPECT_EQ(IntValue(TYPE_UNICODE_CHARACTER, 0x00E9).Format(false, 10), QStringLiteral("233 '\u00e9'"));
    EXPECT_EQ(IntValue(TYPE_UNICODE_CHARACTER, 0xAC20).Format(true, 16), QStringLiteral("0x20AC '\u20ac'"));
    EXPECT_EQ(IntValue(TYPE_UNICODE_CHARACTER, 0xD800).Format(false, 16), "0xD800");
    EXPECT_EQ(IntValue(TYPE_UNICODE_CHARACTER, 0x0007).Format(false, 10), "7");
    EXPECT_EQ(IntValue(TYPE_UNICODE_CHARACTER, 0xFFFF).Format(false, 10), "-1");
    EXPECT_EQ(IntValue(TYPE_UNICODE_CHARACTER, 0x8000).Format(false, 10), QStringLiteral("-32768 '\u8000'"));
}

} // namespace
