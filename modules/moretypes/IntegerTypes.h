#pragma once
// Three-byte integers, signed ("Int24") and unsigned ("UInt24"), with an
// integer value so that a structure can take an array length from them.
// Text in the editor's integer syntax: decimal, "0x" hexadecimal (signed
// values then show their 24-bit pattern) or a leading "0" for octal.
#include "ext/interface/VantrelExtension.h"

namespace moretypes {

void FormatInt24(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseInt24(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);
int32_t Int24Value(const uint8_t* data, int32_t bigEndian);

void FormatUInt24(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseUInt24(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);
int32_t UInt24Value(const uint8_t* data, int32_t bigEndian);

constexpr int32_t kInt24TextCapacity = 12;

} // namespace moretypes
