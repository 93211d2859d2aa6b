#pragma once
// Unix time in 32 and 64 bits (signed seconds since 1970-01-01 UTC, shown as
// "2026-12-08 09:14:27Z") and the MS-DOS date and time pair of ZIP and FAT
// entries (the time word, then the date word).
#include "ext/interface/VantrelExtension.h"

namespace moretypes {

void FormatUnixTime32(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseUnixTime32(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);
void FormatUnixTime64(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseUnixTime64(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);
void FormatDosDateTime(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
int32_t ParseDosDateTime(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);

// "-" and sixteen year digits, the rest of the text and the terminator.
constexpr int32_t kTimeTextCapacity = 40;

} // namespace moretypes
