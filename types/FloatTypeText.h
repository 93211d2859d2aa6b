#pragma once
// Text conversion of Single and Double. The text is a plain decimal number:
// optional white space and sign, digits with an optional point, an optional
// exponent, then only white space. Hexadecimal floats, "inf" and "nan" are
// not accepted. The conversion never depends on the user's locale: the
// point is always ".". Both types ignore the byte order flag, and parsing
// reports radix 10.
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// The number, or nothing when the text is not one or overflows to infinity
// or underflows to zero. Subnormal results are accepted.
std::optional<double> ParseDecimalFloat(QStringView text);

QString FormatSingle(const uint8_t* value, bool bigEndian, int radix);
// Also fails unless the magnitude is zero or within the normal binary32
// range; the value is stored rounded to binary32.
bool ParseSingle(QStringView text, bool bigEndian, uint8_t* out, int* radixOut);

QString FormatDouble(const uint8_t* value, bool bigEndian, int radix);
bool ParseDouble(QStringView text, bool bigEndian, uint8_t* out, int* radixOut);
