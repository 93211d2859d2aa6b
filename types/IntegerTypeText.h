#pragma once
// Text conversion and integer value of the eight integer types. Parsing uses
// the one integer syntax and then checks the type's range; hexadecimal and
// octal may also write a signed type's bit pattern (0xFF for Signed Byte -1).
#include "ByteOrder.h"
#include "IntegerText.h"

#include <limits>
#include <type_traits>

template <typename U, bool Signed>
struct IntegerTypeText {
    static_assert(std::is_unsigned_v<U>);
    using S = std::make_signed_t<U>;
    static constexpr bool MULTI_BYTE = sizeof(U) > 1;
    static constexpr uint64_t UNSIGNED_MAX = std::numeric_limits<U>::max();
    static constexpr uint64_t SIGNED_MAX = UNSIGNED_MAX >> 1;

    static U Read(const uint8_t* value, bool bigEndian) { return LoadValue<U>(value, bigEndian && MULTI_BYTE); }

    // Signed types show a sign only in decimal; in hexadecimal and octal they
    // show the bit pattern of their own width.
    static QString Format(const uint8_t* value, bool bigEndian, int radix)
    {
        const U v = Read(value, bigEndian);
        const bool decimal = radix != 16 && radix != 8;
        if (Signed && decimal)
            return FormatInteger(uint64_t(int64_t(S(v))), true, 10);
        return FormatInteger(v, false, radix);
    }

    static bool Parse(QStringView text, bool bigEndian, uint8_t* out, int* radixOut)
    {
        const ParsedInteger number = ParseInteger(text);
        if (number.error || !Fits(number))
            return false;
        StoreValue<U>(out, U(number.value));
        if (bigEndian && MULTI_BYTE)
            ReverseByteOrder(out, sizeof(U));
        if (radixOut)
            *radixOut = number.radix;
        return true;
    }

    // The range check works on the magnitude and the sign as written, so a
    // huge negative number cannot wrap around into range ("-18446744073709551615"
    // is not a Byte 1). QWord alone takes any 64-bit result, so "-1" sets all
    // its bits.
    static bool Fits(const ParsedInteger& number)
    {
        const uint64_t magnitude = number.Magnitude();
        if constexpr (!Signed) {
            if constexpr (sizeof(U) == 8)
                return true;
            return magnitude <= UNSIGNED_MAX && (!number.negative || magnitude == 0);
        } else {
            if (number.negative ? magnitude <= SIGNED_MAX + 1 : magnitude <= SIGNED_MAX)
                return true;
            if (number.radix == 10)
                return false;
            if constexpr (sizeof(U) == 8)
                return true;
            return !number.negative && magnitude <= UNSIGNED_MAX;
        }
    }

    // 64-bit types give the low 32 bits of the value read in the stated byte
    // order, so a big-endian QWord gives its last four bytes.
    static uint32_t IntegerValue(const uint8_t* value, bool bigEndian) { return uint32_t(Read(value, bigEndian)); }
};
