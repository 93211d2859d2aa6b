// The type and action tables, TypedValue and ParseValueText's messages.
#include "ValueTestSupport.h"

#include "MessageRecorder.h"

namespace {

TEST(StdValueTypeTableTest, ListsTheTwelveTypesInStoredOrder)
{
    struct Row {
        const char* name;
        int size;
        int displayLength;
        bool hasIntegerValue;
    };
    const Row expected[STD_VALUE_TYPE_COUNT] = {
        {"Byte", 1, 10, true},          {"Word", 2, 10, true},          {"DWord", 4, 20, true},
        {"QWord", 8, 32, true},         {"Signed Byte", 1, 10, true},   {"Signed Word", 2, 10, true},
        {"Signed DWord", 4, 20, true},  {"Signed QWord", 8, 32, true},  {"Single", 4, 32, false},
        {"Double", 8, 32, false},       {"ASCII Character", 1, 12, true}, {"Unicode Character", 2, 12, true},
    };
    for (int i = 0; i < STD_VALUE_TYPE_COUNT; ++i) {
        const StdValueType& type = StdValueTypeAt(i);
        EXPECT_EQ(type.Name(), QString::fromLatin1(expected[i].name)) << i;
        EXPECT_EQ(type.size, expected[i].size) << i;
        EXPECT_EQ(type.displayLength, expected[i].displayLength) << i;
        EXPECT_EQ(type.HasIntegerValue(), expected[i].hasIntegerValue) << i;
        EXPECT_NE(type.format, nullptr);
        EXPECT_NE(type.parse, nullptr);
        for (ValueActionFn action : type.actions)
            EXPECT_NE(action, nullptr) << i;
    }
    EXPECT_FALSE(IsStdValueType(-1));
    EXPECT_FALSE(IsStdValueType(STD_VALUE_TYPE_COUNT));
}

TEST(ValueActionTableTest, ListsTheSixteenActionsWithTheirOperands)
{
    struct Row {
        const char* name;
        bool takesOperand;
        bool operandIsSelectedType;
    };
    const Row expected[VALUE_ACTION_COUNT] = {
        {"Set Value", true, true},     {"Add", true, true},          {"Subtract", true, true},
        {"Multiply", true, true},      {"Divide", true, true},       {"Bitwise And", true, true},
        {"Bitwise Or", true, true},    {"Bitwise Xor", true, true},  {"Bitwise Not", false, false},
        {"Shift Left", true, false},   {"Shift Right", true, false}, {"Rotate Left", true, false},
        {"Rotate Right", true, false}, {"Toggle Sign", false, false}, {"Set Ceiling Value", true, true},
        {"Set Floor Value", true, true},
    };
    for (int i = 0; i < VALUE_ACTION_COUNT; ++i) {
        EXPECT_EQ(ValueActionAt(i).Name(), QString::fromLatin1(expected[i].name)) << i;
        EXPECT_EQ(ValueActionAt(i).takesOperand, expected[i].takesOperand) << i;
        EXPECT_EQ(ValueActionAt(i).operandIsSelectedType, expected[i].operandIsSelectedType) << i;
    }
    EXPECT_FALSE(IsValueAction(VALUE_ACTION_COUNT));
}

class ParseValueTextTest : public ::testing::TestWithParam<int> {
protected:
    MessageRecorder messages;
};

TEST_P(ParseValueTextTest, EmptyTextFailsWithTheTypesName)
{
    TypedValue value;
    EXPECT_FALSE(ParseValueText(GetParam(), u"", false, value, nullptr));
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.Last(), QStringLiteral("The text \"\" could not be converted to the data type %1.")
                                   .arg(StdValueTypeAt(GetParam()).Name()));
    EXPECT_EQ(messages.Messages().back().buttons, platform::MsgButtons::Ok);
}

TEST_P(ParseValueTextTest, SilentFailureShowsNothing)
{
    TypedValue value;
    EXPECT_FALSE(ParseValueText(GetParam(), u"", true, value, nullptr, true));
    EXPECT_EQ(messages.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(AllStandardTypes, ParseValueTextTest, ::testing::Range(0, STD_VALUE_TYPE_COUNT));

TEST(ParseValueTextMessageTest, QuotesTheTextAsEntered)
{
    MessageRecorder messages;
    TypedValue value;
    EXPECT_FALSE(ParseValueText(TYPE_BYTE, u" 256 %1", false, value, nullptr));
    EXPECT_EQ(messages.Last(), "The text \" 256 %1\" could not be converted to the data type Byte.");
    EXPECT_TRUE(ParseValueText(TYPE_BYTE, u"255", false, value, nullptr));
    EXPECT_EQ(messages.Count(), 1);
}

TEST(ParseValueTextMessageTest, UnknownTypeFailsWithoutBotheringTheUser)
{
    MessageRecorder messages;
    TypedValue value;
    EXPECT_FALSE(ParseValueText(STD_VALUE_TYPE_COUNT, u"1", false, value, nullptr));
    EXPECT_FALSE(ParseValueText(-1, u"1", false, value, nullptr));
    EXPECT_EQ(messages.Count(), 0);
}

TEST(TypedValueTest, ParsingSetsTheTypeAndClearsStaleBytes)
{
    TypedValue value = IntValue(TYPE_QWORD, UINT64_MAX);
    value.bytes.fill(0xEE);
    ASSERT_TRUE(TryParse(TYPE_WORD, "0x1234", value));
    EXPECT_EQ(value.type, TYPE_WORD);
    EXPECT_EQ(value.bytes[0], 0x34);
    EXPECT_EQ(value.bytes[1], 0x12);
    for (size_t i = 2; i < value.bytes.size(); ++i)
        EXPECT_EQ(value.bytes[i], 0) << i;
}

TEST(TypedValueTest, StartsZeroFilled)
{
    const TypedValue value(TYPE_DOUBLE);
    for (uint8_t byte : value.bytes)
        EXPECT_EQ(byte, 0);
}

TEST(TypedValueTest, ReverseBytesTouchesOnlyTheTypesSize)
{
    TypedValue value = IntValue(TYPE_DWORD, 0x11223344);
    value.bytes[4] = 0x55;
    value.ReverseBytes();
    EXPECT_EQ(StoredBytes(value), (std::vector<uint8_t>{0x11, 0x22, 0x33, 0x44}));
    EXPECT_EQ(value.bytes[4], 0x55);
    value.ReverseBytes();
    EXPECT_EQ(RawOf(value), 0x11223344u);

    TypedValue single = IntValue(TYPE_BYTE, 0xAB);
    single.ReverseBytes();
    EXPECT_EQ(RawOf(single), 0xABu);
}

TEST(TypedValueTest, ReversedParseMatchesBigEndianParse)
{
    for (int type : {TYPE_WORD, TYPE_SIGNED_DWORD, TYPE_QWORD, TYPE_UNICODE_CHARACTER}) {
        const QString text = type == TYPE_UNICODE_CHARACTER ? QStringLiteral("Z") : QStringLiteral("0x5A");
        TypedValue little;
        TypedValue big;
        ASSERT_TRUE(TryParse(type, text, little, false));
        ASSERT_TRUE(TryParse(type, text, big, true));
        little.ReverseBytes();
        EXPECT_EQ(StoredBytes(little), StoredBytes(big)) << StdValueTypeAt(type).name;
    }
}

TEST(TypedValueTest, UnknownActionOrTypeChangesNothing)
{
    TypedValue value = IntValue(TYPE_BYTE, 7);
    const TypedValue operand = IntValue(TYPE_BYTE, 1);
    EXPECT_FALSE(value.ApplyAction(VALUE_ACTION_COUNT, operand));
    EXPECT_FALSE(value.ApplyAction(-1, operand));
    EXPECT_EQ(RawOf(value), 7u);

    TypedValue custom(STD_VALUE_TYPE_COUNT + 3);
    custom.bytes[0] = 9;
    EXPECT_FALSE(custom.ApplyAction(ACTION_ADD, operand));
    EXPECT_EQ(custom.Size(), 0);
    custom.ReverseBytes();
    EXPECT_EQ(custom.bytes[0], 9);
}

} // namespace
