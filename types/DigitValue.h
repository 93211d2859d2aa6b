#pragma once
// What a typed or parsed digit character is worth. Only ASCII counts, so no
// other script's digit or letter can pose as one.

// 0-9, then the letters of either case from a = 10 to z = 35; -1 for
// anything else.
constexpr int DigitValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'A' && c <= u'Z')
        return c - u'A' + 10;
    if (c >= u'a' && c <= u'z')
        return c - u'a' + 10;
    return -1;
}

// 0-15 for a hexadecimal digit of either case; -1 for anything else.
constexpr int HexDigitValue(char16_t c)
{
    const int value = DigitValue(c);
    return value < 16 ? value : -1;
}
