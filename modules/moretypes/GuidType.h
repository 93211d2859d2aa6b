#pragma once
// A 16-byte GUID as "{00112233-4455-6677-8899-AABBCCDDEEFF}". The first three
// fields are a 32-bit and two 16-bit numbers stored little-endian in the
// platform's own layout, big-endian in the RFC 4122 layout; the last eight
// bytes are shown as stored either way.
#include "ext/interface/VantrelExtension.h"

namespace moretypes {

void FormatGuid(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
// Takes the text with or without braces, digits in either case.
int32_t ParseGuid(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);

constexpr int32_t kGuidTextCapacity = 39;

} // namespace moretypes
