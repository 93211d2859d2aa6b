#pragma once
// The value actions on an IEEE 754 value. Arithmetic and compares are
// floating; the bitwise, shift and rotate actions work on the raw bit pattern
// exactly as on an unsigned integer of the same width.
#include "IntegerActions.h"

#include <limits>

template <typename F, typename Bits>
struct FloatActions {
    static_assert(sizeof(F) == sizeof(Bits));
    // Storing an out-of-range double into a float then gives an infinity.
    static_assert(std::numeric_limits<F>::is_iec559);
    using RawBits = IntegerActions<Bits, false, false>;

    static F Get(const uint8_t* p) { return LoadValue<F>(p); }
    // Single arithmetic runs in double precision and is rounded once here.
    static void Put(uint8_t* p, double value) { StoreValue<F>(p, F(value)); }
    static double Value(const uint8_t* p) { return double(Get(p)); }

    static void SetValue(uint8_t* v, const uint8_t* o) { StoreValue<F>(v, Get(o)); }
    static void Add(uint8_t* v, const uint8_t* o) { Put(v, Value(v) + Value(o)); }
    static void Subtract(uint8_t* v, const uint8_t* o) { Put(v, Value(v) - Value(o)); }
    static void Multiply(uint8_t* v, const uint8_t* o) { Put(v, Value(v) * Value(o)); }
    static void Divide(uint8_t* v, const uint8_t* o)
    {
        const double divisor = Value(o);
        Put(v, divisor == 0 ? 0.0 : Value(v) / divisor);
    }

    // Flips the sign bit, so zeros, infinities and NaNs change sign too.
    static void ToggleSign(uint8_t* v, const uint8_t*)
    {
        constexpr Bits SIGN_BIT = Bits(1) << (8 * sizeof(Bits) - 1);
        StoreValue<Bits>(v, LoadValue<Bits>(v) ^ SIGN_BIT);
    }

    // A NaN on either side compares false, so it leaves the value alone.
    static void SetCeilingValue(uint8_t* v, const uint8_t* o)
    {
        if (Get(v) > Get(o))
            SetValue(v, o);
    }
    static void SetFloorValue(uint8_t* v, const uint8_t* o)
    {
        if (Get(v) < Get(o))
            SetValue(v, o);
    }

    static constexpr ValueActionRow Row()
    {
        ValueActionRow row = RawBits::Row();
        row[ACTION_SET_VALUE] = &SetValue;
        row[ACTION_ADD] = &Add;
        row[ACTION_SUBTRACT] = &Subtract;
        row[ACTION_MULTIPLY] = &Multiply;
        row[ACTION_DIVIDE] = &Divide;
        row[ACTION_TOGGLE_SIGN] = &ToggleSign;
        row[ACTION_SET_CEILING_VALUE] = &SetCeilingValue;
        row[ACTION_SET_FLOOR_VALUE] = &SetFloorValue;
        return row;
    }
};
