#include "SmallFloatTypes.h"

#include "TypeBytes.h"
#include "TypeText.h"

#include <charconv>
#include <cmath>
#include <strings.h>

namespace moretypes {

namespace {

int Bias(SmallFloatFormat f) { return (1 << (f.exponentBits - 1)) - 1; }
uint32_t ExponentMask(SmallFloatFormat f) { return (uint32_t(1) << f.exponentBits) - 1; }

std::optional<double> ReadDouble(const char16_t* text)
{
    const std::optional<std::string> ascii = TrimmedAscii(text);
    if (!ascii || ascii->empty())
        return std::nullopt;
    std::string_view number = *ascii;
    bool negative = false;
    if (number.front() == '+' || number.front() == '-') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    if (strcasecmp(std::string(number).c_str(), "inf") == 0)
        return negative ? -INFINITY : INFINITY;
    if (strcasecmp(std::string(number).c_str(), "nan") == 0)
        return negative ? -NAN : NAN;
    // Digits only from here: from_chars would also take "infinity" and
    // "nan(...)", which nothing here writes.
    if (number.empty() || !(std::isdigit(uint8_t(number.front())) || number.front() == '.'))
        return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return negative ? -value : value;
}

void Format(const uint8_t* data, char16_t* text, bool bigEndian, SmallFloatFormat format)
{
    const double value = DecodeSmallFloat(uint32_t(LoadBytes(data, 2, bigEndian)), format);
    if (std::isnan(value)) {
        WriteText(std::signbit(value) ? "-nan" : "nan", text, kFloatTextCapacity);
        return;
    }
    // As "%g" writes it, but never with the decimal comma of the C library's
    // current locale, which the program may have taken from the environment.
    char buffer[kFloatTextCapacity];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    WriteText(std::string_view(buffer, size_t(result.ptr - buffer)), text, kFloatTextCapacity);
}

int32_t Parse(const char16_t* text, uint8_t* data, bool bigEndian, int32_t* radixOut, SmallFloatFormat format)
{
    const std::optional<double> value = ReadDouble(text);
    const std::optional<uint32_t> bits = value ? EncodeSmallFloat(*value, format) : std::nullopt;
    if (!bits)
        return 0;
    StoreBytes(data, 2, *bits, bigEndian);
    return Parsed(radixOut);
}

} // namespace

double DecodeSmallFloat(uint32_t bits, SmallFloatFormat f)
{
    const bool negative = bits >> (f.fractionBits + f.exponentBits) & 1;
    const uint32_t exponent = bits >> f.fractionBits & ExponentMask(f);
    const uint32_t fraction = bits & ((uint32_t(1) << f.fractionBits) - 1);
    double magnitude;
    if (exponent == ExponentMask(f))
        magnitude = fraction ? NAN : INFINITY;
    else if (exponent == 0)
        magnitude = std::ldexp(double(fraction), 1 - Bias(f) - f.fractionBits);
    else
        magnitude = std::ldexp(double(fraction | uint32_t(1) << f.fractionBits), int(exponent) - Bias(f) - f.fractionBits);
    return negative ? -magnitude : magnitude;
}

std::optional<uint32_t> EncodeSmallFloat(double value, SmallFloatFormat f)
{
    const uint32_t sign = std::signbit(value) ? uint32_t(1) << (f.fractionBits + f.exponentBits) : 0;
    const uint32_t infinity = ExponentMask(f) << f.fractionBits;
    if (std::isnan(value))
        return sign | infinity | uint32_t(1) << (f.fractionBits - 1); // the quiet NaN
    if (std::isinf(value))
        return sign | infinity;
    const double magnitude = std::fabs(value);
    if (magnitude == 0)
        return sign;
    const int minExponent = 1 - Bias(f);
    int exponent = std::ilogb(magnitude);
    if (exponent < minExponent) {
        // Subnormal: a count of the smallest step; 2^fractionBits steps round
        // up into the smallest normal number, which has the same bits.
        const double steps = std::nearbyint(std::ldexp(magnitude, f.fractionBits - minExponent));
        if (steps == 0)
            return std::nullopt;
        return sign | uint32_t(steps);
    }
    double significand = std::nearbyint(std::ldexp(magnitude, f.fractionBits - exponent));
    if (significand == std::ldexp(1.0, f.fractionBits + 1)) {
        significand /= 2;
        ++exponent;
    }
    if (exponent > Bias(f))
        return std::nullopt;
    const uint32_t fraction = uint32_t(significand) & ((uint32_t(1) << f.fractionBits) - 1);
    return sign | uint32_t(exponent + Bias(f)) << f.fractionBits | fraction;
}

void FormatHalfFloat(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t)
{
    Format(data, text, bigEndian != 0, kBinary16);
}

int32_t ParseHalfFloat(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    return Parse(text, data, bigEndian != 0, radixOut, kBinary16);
}

void FormatBfloat16(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t)
{
    Format(data, text, bigEndian != 0, kBfloat16);
}

int32_t ParseBfloat16(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    return Parse(text, data, bigEndian != 0, radixOut, kBfloat16);
}

} // namespace moretypes
