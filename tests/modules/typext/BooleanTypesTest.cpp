// The three Boolean types: texts, the forgiving parse and integer values.
#include "TypextHarness.h"

#include <gtest/gtest.h>

namespace {

const TypeRecord& Type(const char* name) { return TypextModule::Get().Type(QString::fromLatin1(name)); }

} // namespace

TEST(BooleanTypes, FormatEachTypeInItsOwnSpelling)
{
    EXPECT_EQ(FormatValue(Type("Windows BOOL"), Bytes({0, 0, 0, 0})), "FALSE");
    EXPECT_EQ(FormatValue(Type("Windows BOOL"), Bytes({0, 0, 0, 0x80})), "TRUE");
    EXPECT_EQ(FormatValue(Type("Windows BOOL"), Bytes({0, 0, 0, 1}), true), "TRUE");
    EXPECT_EQ(FormatValue(Type("C bool"), Bytes({0})), "false");
    EXPECT_EQ(FormatValue(Type("C bool"), Bytes({2})), "true");
    EXPECT_EQ(FormatValue(Type("VB Boolean"), Bytes({0, 0})), "False");
    EXPECT_EQ(FormatValue(Type("VB Boolean"), Bytes({0xFF, 0xFF})), "True");
    EXPECT_EQ(FormatValue(Type("VB Boolean"), Bytes({0, 1})), "True");
}

TEST(BooleanTypes, ParseNeverFailsAndStoresOneOrZero)
{
    const TypeRecord& winBool = Type("Windows BOOL");
    struct Case {
        const char* text;
        bool value;
    };
    const Case cases[] = {
        {"yes", false},  {"-1", true},   {"TRUE", true},     {"true", true},   {" \t\r\nTrUe", true},
        {"FALSE", false}, {"0", false},  {"+0", false},      {"-000", false},  {"  42abc", true},
        {"0x10", false}, {"", false},    {"TRUEISH", false}, {"99999999999999999999", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        int32_t radix = 0;
        const std::optional<QByteArray> bytes = ParseValue(winBool, QString::fromLatin1(c.text), false, &radix);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(*bytes, c.value ? Bytes({1, 0, 0, 0}) : Bytes({0, 0, 0, 0}));
        EXPECT_EQ(radix, 10);
    }
}

TEST(BooleanTypes, ParseStoresEachTypesTrueValueInTheRequestedOrder)
{
    EXPECT_EQ(ParseValue(Type("Windows BOOL"), "1", true), Bytes({0, 0, 0, 1}));
    EXPECT_EQ(ParseValue(Type("C bool"), "true"), Bytes({1}));
    EXPECT_EQ(ParseValue(Type("C bool"), "no"), Bytes({0}));
    EXPECT_EQ(ParseValue(Type("VB Boolean"), "true"), Bytes({0xFF, 0xFF}));
    EXPECT_EQ(ParseValue(Type("VB Boolean"), "true", true), Bytes({0xFF, 0xFF}));
    EXPECT_EQ(ParseValue(Type("VB Boolean"), "False"), Bytes({0, 0}));
}

TEST(BooleanTypes, IntegerValuesIgnoreTheByteOrderFlag)
{
    const QByteArray winBool = Bytes({0x02, 0x01, 0, 0});
    const QByteArray vbTrue = Bytes({0xFF, 0xFF});
    const QByteArray cBool = Bytes({0xFE});
    for (int big : {0, 1}) {
        EXPECT_EQ(Type("Windows BOOL").toInteger(reinterpret_cast<const uint8_t*>(winBool.data()), big), 0x0102);
        EXPECT_EQ(Type("VB Boolean").toInteger(reinterpret_cast<const uint8_t*>(vbTrue.data()), big), 255);
        EXPECT_EQ(Type("C bool").toInteger(reinterpret_cast<const uint8_t*>(cBool.data()), big), 254);
    }
}
