// The sixteen actions on the integer and character types.
#include "ValueTestSupport.h"

#include <tuple>

namespace {

// ---- shift and rotate counts --------------------------------------------

struct CountCase {
    int type;
    int action;
    uint64_t value;
    unsigned count;
    uint64_t expected;
};

void PrintTo(const CountCase& c, std::ostream* os)
{
    *os << StdValueTypeAt(c.type).name << ' ' << ValueActionAt(c.action).name << ' ' << c.count;
}

class BitCountActionTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(BitCountActionTest, UsesTheByteOperandAsBitCount)
{
    const CountCase& c = GetParam();
    EXPECT_EQ(Applied(c.type, c.value, c.action, c.count), c.expected);
}

std::vector<CountCase> CountCases(int type, int action, uint64_t value,
                                  std::initializer_list<std::pair<unsigned, uint64_t>> results)
{
    std::vector<CountCase> cases;
    for (const auto& [count, expected] : results)
        cases.push_back({type, action, value, count, expected});
    return cases;
}

std::vector<CountCase> Join(std::initializer_list<std::vector<CountCase>> parts)
{
    std::vector<CountCase> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Narrow types shift by the count modulo 32: the width up to 31 clears, 32
// leaves the value unchanged, 33 shifts by one.
INSTANTIATE_TEST_SUITE_P(
    Shifts, BitCountActionTest,
    ::testing::ValuesIn(Join({
        CountCases(TYPE_BYTE, ACTION_SHIFT_LEFT, 0x81,
                   {{0, 0x81}, {7, 0x80}, {8, 0}, {31, 0}, {32, 0x81}, {33, 0x02}, {63, 0}, {64, 0x81}, {255, 0}}),
        CountCases(TYPE_BYTE, ACTION_SHIFT_RIGHT, 0x81,
                   {{0, 0x81}, {7, 0x01}, {8, 0}, {31, 0}, {32, 0x81}, {33, 0x40}, {63, 0}, {64, 0x81}, {255, 0}}),
        CountCases(TYPE_WORD, ACTION_SHIFT_LEFT, 0x8001,
                   {{0, 0x8001}, {15, 0x8000}, {16, 0}, {31, 0}, {32, 0x8001}, {33, 0x0002}, {64, 0x8001}, {255, 0}}),
        CountCases(TYPE_SIGNED_WORD, ACTION_SHIFT_RIGHT, 0x8001,
                   {{1, 0x4000}, {15, 0x0001}, {16, 0}, {31, 0}, {32, 0x8001}, {33, 0x4000}}),
        CountCases(TYPE_DWORD, ACTION_SHIFT_LEFT, 0x80000001,
                   {{0, 0x80000001}, {31, 0x80000000}, {32, 0x80000001}, {33, 0x2}, {63, 0x80000000},
                    {64, 0x80000001}, {255, 0x80000000}}),
        CountCases(TYPE_SIGNED_DWORD, ACTION_SHIFT_RIGHT, 0x80000001,
                   {{1, 0x40000000}, {31, 0x1}, {32, 0x80000001}, {33, 0x40000000}, {255, 0x1}}),
        CountCases(TYPE_QWORD, ACTION_SHIFT_LEFT, 0x8000000000000001,
                   {{0, 0x8000000000000001}, {31, 0x80000000}, {32, 0x100000000}, {33, 0x200000000},
                    {63, 0x8000000000000000}, {64, 0}, {65, 0}, {255, 0}}),
        CountCases(TYPE_SIGNED_QWORD, ACTION_SHIFT_RIGHT, 0x8000000000000001,
                   {{1, 0x4000000000000000}, {31, 0x100000000}, {32, 0x80000000}, {33, 0x40000000},
                    {63, 1}, {64, 0}, {255, 0}}),
        CountCases(TYPE_SIGNED_BYTE, ACTION_SHIFT_RIGHT, 0x80, {{1, 0x40}, {7, 0x01}}),
        CountCases(TYPE_ASCII_CHARACTER, ACTION_SHIFT_RIGHT, 0xFF, {{4, 0x0F}}),
        CountCases(TYPE_UNICODE_CHARACTER, ACTION_SHIFT_LEFT, 0x00FF, {{12, 0xF000}, {16, 0}, {32, 0x00FF}}),
    })));

// Rotation counts are taken modulo the width.
INSTANTIATE_TEST_SUITE_P(
    Rotates, BitCountActionTest,
    ::testing::ValuesIn(Join({
        CountCases(TYPE_BYTE, ACTION_ROTATE_LEFT, 0x81,
                   {{0, 0x81}, {1, 0x03}, {7, 0xC0}, {8, 0x81}, {9, 0x03}, {31, 0xC0}, {32, 0x81}, {33, 0x03},
                    {63, 0xC0}, {64, 0x81}, {255, 0xC0}}),
        CountCases(TYPE_SIGNED_BYTE, ACTION_ROTATE_RIGHT, 0x81, {{1, 0xC0}, {7, 0x03}, {8, 0x81}, {33, 0xC0}}),
        CountCases(TYPE_WORD, ACTION_ROTATE_LEFT, 0x8001,
                   {{1, 0x0003}, {15, 0xC000}, {16, 0x8001}, {31, 0xC000}, {32, 0x8001}, {33, 0x0003}}),
        CountCases(TYPE_UNICODE_CHARACTER, ACTION_ROTATE_RIGHT, 0x8001, {{1, 0xC000}, {4, 0x1800}}),
        CountCases(TYPE_DWORD, ACTION_ROTATE_LEFT, 0x80000001,
                   {{0, 0x80000001}, {1, 0x3}, {31, 0xC0000000}, {32, 0x80000001}, {33, 0x3}, {63, 0xC0000000},
                    {64, 0x80000001}, {255, 0xC0000000}}),
        CountCases(TYPE_SIGNED_DWORD, ACTION_ROTATE_RIGHT, 0x80000001, {{1, 0xC0000000}, {33, 0xC0000000}}),
        CountCases(TYPE_QWORD, ACTION_ROTATE_LEFT, 0x8000000000000001,
                   {{0, 0x8000000000000001}, {1, 0x3}, {31, 0xC0000000}, {32, 0x180000000}, {33, 0x300000000},
                    {63, 0xC000000000000000}, {64, 0x8000000000000001}, {255, 0xC000000000000000}}),
        CountCases(TYPE_SIGNED_QWORD, ACTION_ROTATE_RIGHT, 0x8000000000000001,
                   {{1, 0xC000000000000000}, {64, 0x8000000000000001}, {255, 0x3}}),
    })));

// Only the first operand byte counts, whatever else the operand holds.
TEST(BitCountOperandTest, IgnoresBytesAfterTheFirst)
{
    TypedValue value = IntValue(TYPE_QWORD, 1);
    TypedValue count = IntValue(TYPE_BYTE, 4);
    count.bytes[1] = 0xFF;
    ASSERT_TRUE(value.ApplyAction(ACTION_SHIFT_LEFT, count));
    EXPECT_EQ(RawOf(value), 16u);
}

// ---- arithmetic ----------------------------------------------------------

using ArithmeticCase = std::tuple<int, uint64_t, int, uint64_t, uint64_t>;  // type, value, action, operand, result

class ArithmeticActionTest : public ::testing::TestWithParam<ArithmeticCase> {};

TEST_P(ArithmeticActionTest, GivesResultModuloTheWidth)
{
    const auto& [type, value, action, operand, expected] = GetParam();
    EXPECT_EQ(Applied(type, value, action, operand), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Wrapping, ArithmeticActionTest,
    ::testing::Values(ArithmeticCase{TYPE_BYTE, 7, ACTION_SET_VALUE, 0xAB, 0xAB},
                      ArithmeticCase{TYPE_BYTE, 200, ACTION_ADD, 100, 44},
                      ArithmeticCase{TYPE_BYTE, 0, ACTION_SUBTRACT, 1, 0xFF},
                      ArithmeticCase{TYPE_BYTE, 16, ACTION_MULTIPLY, 16, 0},
                      ArithmeticCase{TYPE_WORD, 0xFFFF, ACTION_ADD, 1, 0},
                      ArithmeticCase{TYPE_WORD, 0xFFFF, ACTION_MULTIPLY, 0xFFFF, 1},
                      ArithmeticCase{TYPE_SIGNED_WORD, 0x7FFF, ACTION_ADD, 1, 0x8000},
                      ArithmeticCase{TYPE_DWORD, 0xFFFFFFFF, ACTION_MULTIPLY, 0xFFFFFFFF, 1},
                      ArithmeticCase{TYPE_SIGNED_DWORD, 0x80000000, ACTION_SUBTRACT, 1, 0x7FFFFFFF},
                      ArithmeticCase{TYPE_QWORD, UINT64_MAX, ACTION_ADD, 2, 1},
                      ArithmeticCase{TYPE_SIGNED_QWORD, 0x8000000000000000, ACTION_MULTIPLY, UINT64_MAX,
                                     0x8000000000000000},
                      ArithmeticCase{TYPE_UNICODE_CHARACTER, 0x0041, ACTION_ADD, 0x20, 0x0061},
                      ArithmeticCase{TYPE_ASCII_CHARACTER, 0x7F, ACTION_ADD, 1, 0x80}));

INSTANTIATE_TEST_SUITE_P(
    Bitwise, ArithmeticActionTest,
    ::testing::Values(ArithmeticCase{TYPE_BYTE, 0xF0, ACTION_BITWISE_AND, 0x3C, 0x30},
                      ArithmeticCase{TYPE_WORD, 0xF000, ACTION_BITWISE_OR, 0x000F, 0xF00F},
                      ArithmeticCase{TYPE_DWORD, 0xFFFF0000, ACTION_BITWISE_XOR, 0xFF00FF00, 0x00FFFF00},
                      ArithmeticCase{TYPE_BYTE, 0x0F, ACTION_BITWISE_NOT, 0, 0xF0},
                      ArithmeticCase{TYPE_SIGNED_WORD, 0x0000, ACTION_BITWISE_NOT, 0, 0xFFFF},
                      ArithmeticCase{TYPE_QWORD, 0, ACTION_BITWISE_NOT, 0, UINT64_MAX},
                      ArithmeticCase{TYPE_BYTE, 1, ACTION_TOGGLE_SIGN, 0, 0xFF},
                      ArithmeticCase{TYPE_BYTE, 0, ACTION_TOGGLE_SIGN, 0, 0},
                      ArithmeticCase{TYPE_SIGNED_BYTE, 0x80, ACTION_TOGGLE_SIGN, 0, 0x80},
                      ArithmeticCase{TYPE_SIGNED_DWORD, 5, ACTION_TOGGLE_SIGN, 0, 0xFFFFFFFB},
                      ArithmeticCase{TYPE_QWORD, 1, ACTION_TOGGLE_SIGN, 0, UINT64_MAX},
                      ArithmeticCase{TYPE_SIGNED_QWORD, 0x8000000000000000, ACTION_TOGGLE_SIGN, 0,
                                     0x8000000000000000}));

// Unsigned types divide unsigned; the signed and character types divide as
// signed numbers, truncating toward zero.
INSTANTIATE_TEST_SUITE_P(
    Divide, ArithmeticActionTest,
    ::testing::Values(ArithmeticCase{TYPE_BYTE, 200, ACTION_DIVIDE, 3, 66},
                      ArithmeticCase{TYPE_BYTE, 0xFE, ACTION_DIVIDE, 0xFF, 0},
                      ArithmeticCase{TYPE_SIGNED_BYTE, 0xFE, ACTION_DIVIDE, 0xFF, 2},
                      ArithmeticCase{TYPE_SIGNED_BYTE, 0xF9, ACTION_DIVIDE, 2, 0xFD},  // -7 / 2 = -3
                      ArithmeticCase{TYPE_SIGNED_BYTE, 7, ACTION_DIVIDE, 0xFE, 0xFD},  // 7 / -2 = -3
                      ArithmeticCase{TYPE_WORD, 0xFFFE, ACTION_DIVIDE, 2, 0x7FFF},
                      ArithmeticCase{TYPE_SIGNED_WORD, 0xFFFE, ACTION_DIVIDE, 2, 0xFFFF},
                      ArithmeticCase{TYPE_DWORD, 0xFFFFFFFF, ACTION_DIVIDE, 0xFFFFFFFF, 1},
                      ArithmeticCase{TYPE_SIGNED_DWORD, 0xFFFFFF9C, ACTION_DIVIDE, 7, 0xFFFFFFF2},  // -100/7=-14
                      ArithmeticCase{TYPE_QWORD, UINT64_MAX, ACTION_DIVIDE, 2, 0x7FFFFFFFFFFFFFFF},
                      ArithmeticCase{TYPE_SIGNED_QWORD, UINT64_MAX - 9, ACTION_DIVIDE, 5, UINT64_MAX - 1},
                      ArithmeticCase{TYPE_ASCII_CHARACTER, 0xFE, ACTION_DIVIDE, 0xFF, 2},
                      ArithmeticCase{TYPE_UNICODE_CHARACTER, 0xFFFE, ACTION_DIVIDE, 2, 0xFFFF}));

// The most negative value divided by -1 stays itself instead of overflowing.
INSTANTIATE_TEST_SUITE_P(
    MostNegativeByMinusOne, ArithmeticActionTest,
    ::testing::Values(ArithmeticCase{TYPE_SIGNED_BYTE, 0x80, ACTION_DIVIDE, 0xFF, 0x80},
                      ArithmeticCase{TYPE_SIGNED_WORD, 0x8000, ACTION_DIVIDE, 0xFFFF, 0x8000},
                      ArithmeticCase{TYPE_SIGNED_DWORD, 0x80000000, ACTION_DIVIDE, 0xFFFFFFFF, 0x80000000},
                      ArithmeticCase{TYPE_SIGNED_QWORD, 0x8000000000000000, ACTION_DIVIDE, UINT64_MAX,
                                     0x8000000000000000},
                      ArithmeticCase{TYPE_ASCII_CHARACTER, 0x80, ACTION_DIVIDE, 0xFF, 0x80},
                      ArithmeticCase{TYPE_UNICODE_CHARACTER, 0x8000, ACTION_DIVIDE, 0xFFFF, 0x8000},
                      ArithmeticCase{TYPE_SIGNED_DWORD, 5, ACTION_DIVIDE, 0xFFFFFFFF, 0xFFFFFFFB}));

// Ceiling and floor compare signed only for the four signed types; the
// character types compare unsigned.
INSTANTIATE_TEST_SUITE_P(
    CeilingAndFloor, ArithmeticActionTest,
    ::testing::Values(ArithmeticCase{TYPE_BYTE, 200, ACTION_SET_CEILING_VALUE, 100, 100},
                      ArithmeticCase{TYPE_BYTE, 50, ACTION_SET_CEILING_VALUE, 100, 50},
                      ArithmeticCase{TYPE_BYTE, 0xFB, ACTION_SET_FLOOR_VALUE, 0, 0xFB},
                      ArithmeticCase{TYPE_SIGNED_BYTE, 0xFB, ACTION_SET_FLOOR_VALUE, 0, 0},
                      ArithmeticCase{TYPE_SIGNED_BYTE, 0xFB, ACTION_SET_CEILING_VALUE, 5, 0xFB},
                      ArithmeticCase{TYPE_BYTE, 0xFB, ACTION_SET_CEILING_VALUE, 5, 5},
                      ArithmeticCase{TYPE_SIGNED_WORD, 0x7FFF, ACTION_SET_CEILING_VALUE, 0x8000, 0x8000},
                      ArithmeticCase{TYPE_WORD, 0x7FFF, ACTION_SET_CEILING_VALUE, 0x8000, 0x7FFF},
                      ArithmeticCase{TYPE_SIGNED_DWORD, 0x80000000, ACTION_SET_FLOOR_VALUE, 0x7FFFFFFF, 0x7FFFFFFF},
                      ArithmeticCase{TYPE_DWORD, 0x80000000, ACTION_SET_FLOOR_VALUE, 0x7FFFFFFF, 0x80000000},
                      ArithmeticCase{TYPE_SIGNED_QWORD, UINT64_MAX, ACTION_SET_FLOOR_VALUE, 0, 0},
                      ArithmeticCase{TYPE_QWORD, UINT64_MAX, ACTION_SET_FLOOR_VALUE, 0, UINT64_MAX},
                      ArithmeticCase{TYPE_QWORD, UINT64_MAX, ACTION_SET_CEILING_VALUE, 1, 1},
                      ArithmeticCase{TYPE_ASCII_CHARACTER, 0xE9, ACTION_SET_CEILING_VALUE, 0x41, 0x41},
                      ArithmeticCase{TYPE_UNICODE_CHARACTER, 0xFFFF, ACTION_SET_CEILING_VALUE, 0x41, 0x41},
                      ArithmeticCase{TYPE_UNICODE_CHARACTER, 0x8000, ACTION_SET_FLOOR_VALUE, 0x7FFF, 0x8000}));

// ---- every type ------------------------------------------------------------

class EveryTypeTest : public ::testing::TestWithParam<int> {};

TEST_P(EveryTypeTest, DivisionByZeroGivesZero)
{
    TypedValue value(GetParam());
    std::fill(value.bytes.begin(), value.bytes.begin() + value.Size(), 0x5A);
    ASSERT_TRUE(value.ApplyAction(ACTION_DIVIDE, TypedValue(GetParam())));
    EXPECT_EQ(StoredBytes(value), std::vector<uint8_t>(size_t(value.Size()), 0));
}

// An action never writes beyond the type's size.
TEST_P(EveryTypeTest, ActionsStayWithinTheTypesSize)
{
    for (int action = 0; action < VALUE_ACTION_COUNT; ++action) {
        TypedValue value(GetParam());
        std::fill(value.bytes.begin(), value.bytes.begin() + value.Size(), 0xA5);
        TypedValue operand = OperandFor(GetParam(), action, 0);
        std::fill(operand.bytes.begin(), operand.bytes.end(), 0x03);
        ASSERT_TRUE(value.ApplyAction(action, operand));
        for (int i = value.Size(); i < TypedValue::STORAGE_SIZE; ++i)
            EXPECT_EQ(value.bytes[size_t(i)], 0) << ValueActionAt(action).name << " byte " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(AllStandardTypes, EveryTypeTest, ::testing::Range(0, STD_VALUE_TYPE_COUNT));

} // namespace
