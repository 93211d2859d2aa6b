#pragma once
// The value actions on an n-bit integer held in native order. All arithmetic
// is unsigned and wraps modulo 2^n; signedness only matters where the
// results differ: division and the ceiling/floor compare, chosen separately
// because the character types divide signed but compare unsigned.
#include "ByteOrder.h"
#include "StdValueType.h"

#include <bit>
#include <type_traits>

template <typename U, bool SignedDivide, bool SignedCompare>
struct IntegerActions {
    static_assert(std::is_unsigned_v<U>);
    using S = std::make_signed_t<U>;
    // At least 32 bits, so that small types never promote to signed int,
    // whose overflow would be undefined.
    using W = std::conditional_t<(sizeof(U) < sizeof(uint32_t)), uint32_t, U>;
    static constexpr unsigned BITS = 8 * sizeof(U);

    static U Get(const uint8_t* p) { return LoadValue<U>(p); }
    static void Put(uint8_t* p, W value) { StoreValue<U>(p, U(value)); }
    static unsigned BitCount(const uint8_t* operand) { return operand[0]; }

    static void SetValue(uint8_t* v, const uint8_t* o) { Put(v, Get(o)); }
    static void Add(uint8_t* v, const uint8_t* o) { Put(v, W(Get(v)) + W(Get(o))); }
    static void Subtract(uint8_t* v, const uint8_t* o) { Put(v, W(Get(v)) - W(Get(o))); }
    static void Multiply(uint8_t* v, const uint8_t* o) { Put(v, W(Get(v)) * W(Get(o))); }

    // Division by zero gives zero rather than failing: no action can fail.
    static void Divide(uint8_t* v, const uint8_t* o)
    {
        const U divisor = Get(o);
        if (divisor == 0)
            Put(v, 0);
        else if constexpr (SignedDivide)
            Put(v, SignedQuotient(Get(v), divisor));
        else
            Put(v, W(Get(v)) / W(divisor));
    }

    // Dividing by -1 is a negation, which leaves the most negative value as
    // it is instead of overflowing.
    static U SignedQuotient(U dividend, U divisor)
    {
        if (S(divisor) == -1)
            return U(W(0) - W(dividend));
        return U(S(dividend) / S(divisor));
    }

    static void BitwiseAnd(uint8_t* v, const uint8_t* o) { Put(v, Get(v) & Get(o)); }
    static void BitwiseOr(uint8_t* v, const uint8_t* o) { Put(v, Get(v) | Get(o)); }
    static void BitwiseXor(uint8_t* v, const uint8_t* o) { Put(v, Get(v) ^ Get(o)); }
    static void BitwiseNot(uint8_t* v, const uint8_t*) { Put(v, ~W(Get(v))); }

    // Types narrower than 64 bits shift in 32-bit arithmetic by the count
    // modulo 32, as the processor's shift does: a count from the width up to
    // 31 clears the value and 32 leaves it unchanged. That is the action's
    // defined behaviour, not an accident to tidy up. 64-bit values clear from
    // a count of 64 on.
    // Shifting right always brings in zeros, also for the signed types.
    static void ShiftLeft(uint8_t* v, const uint8_t* o)
    {
        const unsigned count = BitCount(o);
        if constexpr (BITS == 64)
            Put(v, count >= 64 ? 0 : Get(v) << count);
        else
            Put(v, uint32_t(Get(v)) << (count % 32));
    }
    static void ShiftRight(uint8_t* v, const uint8_t* o)
    {
        const unsigned count = BitCount(o);
        if constexpr (BITS == 64)
            Put(v, count >= 64 ? 0 : Get(v) >> count);
        else
            Put(v, uint32_t(Get(v)) >> (count % 32));
    }
    static void RotateLeft(uint8_t* v, const uint8_t* o) { Put(v, std::rotl(Get(v), int(BitCount(o) % BITS))); }
    static void RotateRight(uint8_t* v, const uint8_t* o) { Put(v, std::rotr(Get(v), int(BitCount(o) % BITS))); }

    static void ToggleSign(uint8_t* v, const uint8_t*) { Put(v, W(0) - W(Get(v))); }

    static bool Less(U a, U b)
    {
        if constexpr (SignedCompare)
            return S(a) < S(b);
        else
            return a < b;
    }
    static void SetCeilingValue(uint8_t* v, const uint8_t* o)
    {
        if (Less(Get(o), Get(v)))
            SetValue(v, o);
    }
    static void SetFloorValue(uint8_t* v, const uint8_t* o)
    {
        if (Less(Get(v), Get(o)))
            SetValue(v, o);
    }

    static constexpr ValueActionRow Row()
    {
        ValueActionRow row{};
        row[ACTION_SET_VALUE] = &SetValue;
        row[ACTION_ADD] = &Add;
        row[ACTION_SUBTRACT] = &Subtract;
        row[ACTION_MULTIPLY] = &Multiply;
        row[ACTION_DIVIDE] = &Divide;
        row[ACTION_BITWISE_AND] = &BitwiseAnd;
        row[ACTION_BITWISE_OR] = &BitwiseOr;
        row[ACTION_BITWISE_XOR] = &BitwiseXor;
        row[ACTION_BITWISE_NOT] = &BitwiseNot;
        row[ACTION_SHIFT_LEFT] = &ShiftLeft;
        row[ACTION_SHIFT_RIGHT] = &ShiftRight;
        row[ACTION_ROTATE_LEFT] = &RotateLeft;
        row[ACTION_ROTATE_RIGHT] = &RotateRight;
        row[ACTION_TOGGLE_SIGN] = &ToggleSign;
        row[ACTION_SET_CEILING_VALUE] = &SetCeilingValue;
        row[ACTION_SET_FLOOR_VALUE] = &SetFloorValue;
        return row;
    }
};
