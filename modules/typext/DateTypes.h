#pragma once
// The five date and time types: format and parse functions of the contract.
#include "ext/interface/VantrelExtension.h"

namespace typext {

void FormatVariantDate(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseVariantDate(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);

void FormatSystemTime(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseSystemTime(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);

void FormatFileTime(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseFileTime(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);

void FormatDosDate(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseDosDate(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);

void FormatDosTime(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseDosTime(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);

// Text capacity of every date and time type, terminator included.
constexpr int32_t kDateTextCapacity = 64;

} // namespace typext
