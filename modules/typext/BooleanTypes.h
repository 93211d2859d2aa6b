#pragma once
// The three Boolean types: Windows BOOL (4 bytes), C bool (1 byte) and
// VB Boolean (2 bytes, true stored as -1).
#include "ext/interface/VantrelExtension.h"

namespace typext {

void FormatWindowsBool(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseWindowsBool(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);
int32_t WindowsBoolValue(const uint8_t* data, int32_t bigEndian);

void FormatCBool(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseCBool(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);
int32_t CBoolValue(const uint8_t* data, int32_t bigEndian);

void FormatVbBoolean(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseVbBoolean(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);
int32_t VbBooleanValue(const uint8_t* data, int32_t bigEndian);

// "FALSE" plus the terminator.
constexpr int32_t kBoolTextCapacity = 6;

// True for "TRUE" in any case after leading control characters and spaces,
// or for a leading decimal integer other than 0; anything else is false.
bool ReadBoolean(const char16_t* text);

} // namespace typext
