#pragma once
// The one integer text syntax of the program, used by the integer value types
// and by every count and offset field: optional blanks and sign, then
// decimal, "0x"-prefixed hexadecimal or "0"-prefixed octal, then optional
// blanks. Formatting writes the radix back the same way.
#include <QString>
#include <QStringView>

#include <cstdint>

struct ParsedInteger {
    uint64_t value = 0;     // already two's-complement negated when negative
    int radix = 10;         // 8, 10 or 16: the radix the text was written in
    bool negative = false;  // the text carried a "-" sign
    bool error = true;

    bool Ok() const { return !error; }
    // The number as written, without its sign.
    uint64_t Magnitude() const { return negative ? 0 - value : value; }
};

// Blanks are the characters with codes 1 to 32. A number that does not fit in
// 64 bits fails.
ParsedInteger ParseInteger(QStringView text);

// Radix 16 gives "0x" and upper-case digits, radix 8 a leading "0", any other
// radix decimal, with a "-" only when isSigned and the value is negative as a
// signed 64-bit number.
QString FormatInteger(uint64_t value, bool isSigned, int radix);
