#pragma once
// Two-byte floating-point types: IEEE 754 binary16 ("Half Float") and
// bfloat16 (the upper half of a binary32). Text as "%g" writes it,
// independent of the locale, with "inf", "-inf" and "nan".
#include "ext/interface/VantrelExtension.h"

#include <optional>

namespace moretypes {

struct SmallFloatFormat {
    int fractionBits;
    int exponentBits;
};
constexpr SmallFloatFormat kBinary16{10, 5};
constexpr SmallFloatFormat kBfloat16{7, 8};

double DecodeSmallFloat(uint32_t bits, SmallFloatFormat format);
// Rounded to nearest, ties to even. Nothing when a finite value would
// become infinite or a value other than zero would become zero.
std::optional<uint32_t> EncodeSmallFloat(double value, SmallFloatFormat format);

void FormatHalfFloat(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseHalfFloat(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);
void FormatBfloat16(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseBfloat16(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);

constexpr int32_t kFloatTextCapacity = 32;

} // namespace moretypes
