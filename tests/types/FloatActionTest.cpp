// The actions on Single and Double: floating arithmetic and compares, raw
// bits for the bitwise, shift and rotate actions.
#include "ValueTestSupport.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>

namespace {

template <typename F>
F ApplyFloat(F value, int action, F operand)
{
    constexpr int type = sizeof(F) == 4 ? TYPE_SINGLE : TYPE_DOUBLE;
    TypedValue target = ValueOf(type, value);
    EXPECT_TRUE(target.ApplyAction(action, ValueOf(type, operand)));
    F result;
    std::memcpy(&result, target.bytes.data(), sizeof result);
    return result;
}

// Bitwise, shift and rotate actions with an operand given as raw bits (or
// a bit count, for the shifts and rotates).
template <typename F, typename Bits>
Bits ApplyRaw(F value, int action, Bits operand)
{
    constexpr int type = sizeof(F) == 4 ? TYPE_SINGLE : TYPE_DOUBLE;
    TypedValue target = ValueOf(type, value);
    const TypedValue op = ValueActionAt(action).operandIsSelectedType ? ValueOf(type, operand)
                                                                      : IntValue(TYPE_BYTE, operand);
    EXPECT_TRUE(target.ApplyAction(action, op));
    Bits result;
    std::memcpy(&result, target.bytes.data(), sizeof result);
    return result;
}

uint32_t RawSingle(float value, int action, uint32_t operand) { return ApplyRaw<float>(value, action, operand); }
uint64_t RawDouble(double value, int action, uint64_t operand) { return ApplyRaw<double>(value, action, operand); }

TEST(FloatActionTest, ArithmeticIsFloating)
{
    EXPECT_EQ(ApplyFloat(1.5f, ACTION_ADD, 2.25f), 3.75f);
    EXPECT_EQ(ApplyFloat(1.5f, ACTION_SUBTRACT, 2.25f), -0.75f);
    EXPECT_EQ(ApplyFloat(-1.5f, ACTION_MULTIPLY, 4.0f), -6.0f);
    EXPECT_EQ(ApplyFloat(7.0f, ACTION_DIVIDE, 2.0f), 3.5f);
    EXPECT_EQ(ApplyFloat(9.0f, ACTION_SET_VALUE, -0.5f), -0.5f);
    EXPECT_EQ(ApplyFloat(0.1, ACTION_ADD, 0.2), 0.1 + 0.2);
    EXPECT_EQ(ApplyFloat(1e300, ACTION_MULTIPLY, 1e10), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ApplyFloat(1.0, ACTION_DIVIDE, 3.0), 1.0 / 3.0);
}

TEST(FloatActionTest, SingleResultsAreRoundedToSingle)
{
    EXPECT_EQ(ApplyFloat(16777216.0f, ACTION_ADD, 1.0f), 16777216.0f);
    EXPECT_EQ(ApplyFloat(1.0f, ACTION_DIVIDE, 3.0f), float(1.0 / 3.0));
    EXPECT_EQ(ApplyFloat(FLT_MAX, ACTION_MULTIPLY, 2.0f), std::numeric_limits<float>::infinity());
    EXPECT_EQ(ApplyFloat(-FLT_MAX, ACTION_ADD, -FLT_MAX), -std::numeric_limits<float>::infinity());
}

TEST(FloatActionTest, DivisionByZeroGivesPositiveZero)
{
    for (float zero : {0.0f, -0.0f}) {
        const float result = ApplyFloat(-3.0f, ACTION_DIVIDE, zero);
        EXPECT_EQ(std::bit_cast<uint32_t>(result), 0u);
    }
    EXPECT_EQ(std::bit_cast<uint64_t>(ApplyFloat(5.0, ACTION_DIVIDE, 0.0)), 0u);
}

TEST(FloatActionTest, ToggleSignFlipsTheSignBit)
{
    EXPECT_EQ(ApplyFloat(2.5f, ACTION_TOGGLE_SIGN, 0.0f), -2.5f);
    EXPECT_EQ(ApplyFloat(-2.5, ACTION_TOGGLE_SIGN, 0.0), 2.5);
    EXPECT_TRUE(std::signbit(ApplyFloat(0.0, ACTION_TOGGLE_SIGN, 0.0)));
    EXPECT_EQ(ApplyFloat(-std::numeric_limits<float>::infinity(), ACTION_TOGGLE_SIGN, 0.0f),
              std::numeric_limits<float>::infinity());
}

// A raw-bits compare would rank -1.0 above 1.0; the floating compare does not.
TEST(FloatActionTest, CeilingAndFloorCompareAsNumbers)
{
    EXPECT_EQ(ApplyFloat(-1.0f, ACTION_SET_CEILING_VALUE, 1.0f), -1.0f);
    EXPECT_EQ(ApplyFloat(1.0f, ACTION_SET_FLOOR_VALUE, -1.0f), 1.0f);
    EXPECT_EQ(ApplyFloat(-1.5, ACTION_SET_CEILING_VALUE, -2.0), -2.0);
    EXPECT_EQ(ApplyFloat(3.0, ACTION_SET_FLOOR_VALUE, 5.0), 5.0);
    EXPECT_EQ(ApplyFloat(3.0, ACTION_SET_CEILING_VALUE, 5.0), 3.0);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(ApplyFloat(3.0, ACTION_SET_CEILING_VALUE, nan), 3.0);
    EXPECT_TRUE(std::isnan(ApplyFloat(nan, ACTION_SET_FLOOR_VALUE, 3.0)));
}

TEST(FloatActionTest, BitwiseActionsWorkOnTheRawPattern)
{
    // 1.0f is 0x3F800000, 1.0 is 0x3FF0000000000000.
    EXPECT_EQ(RawSingle(1.0f, ACTION_BITWISE_AND, 0xFF000000), 0x3F000000u);
    EXPECT_EQ(RawSingle(1.0f, ACTION_BITWISE_OR, 0x80000000), 0xBF800000u);
    EXPECT_EQ(RawSingle(1.0f, ACTION_BITWISE_XOR, 0x3F800000), 0u);
    EXPECT_EQ(RawSingle(0.0f, ACTION_BITWISE_NOT, 0), 0xFFFFFFFFu);
    EXPECT_EQ(RawDouble(1.0, ACTION_BITWISE_NOT, 0), 0xC00FFFFFFFFFFFFFu);
    EXPECT_EQ(RawDouble(1.0, ACTION_BITWISE_XOR, 0x8000000000000000), 0xBFF0000000000000u);
}

// Shifts and rotates treat a Single as a DWord and a Double as a QWord.
TEST(FloatActionTest, ShiftsAndRotatesActLikeTheSameWidthInteger)
{
    EXPECT_EQ(RawSingle(1.0f, ACTION_SHIFT_LEFT, 1), 0x7F000000u);
    EXPECT_EQ(RawSingle(1.0f, ACTION_SHIFT_LEFT, 32), 0x3F800000u);
    EXPECT_EQ(RawSingle(1.0f, ACTION_SHIFT_RIGHT, 33), 0x1FC00000u);
    EXPECT_EQ(RawSingle(-1.0f, ACTION_ROTATE_LEFT, 1), 0x7F000001u);
    EXPECT_EQ(RawSingle(-1.0f, ACTION_ROTATE_RIGHT, 32), 0xBF800000u);
    EXPECT_EQ(RawDouble(1.0, ACTION_SHIFT_LEFT, 64), 0u);
    EXPECT_EQ(RawDouble(1.0, ACTION_SHIFT_RIGHT, 52), 0x3FFu);
    EXPECT_EQ(RawDouble(1.0, ACTION_ROTATE_LEFT, 4), 0xFF00000000000003u);
    EXPECT_EQ(RawDouble(1.0, ACTION_ROTATE_RIGHT, 68), 0x03FF000000000000u);
}

} // namespace
