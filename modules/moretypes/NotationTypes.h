#pragma once
// Types that are a way of writing bytes rather than a number: one byte in
// binary ("01000001"), a colour as "#RRGGBB" (red, green, blue in file
// order, as in PNG and on the web) and an IPv4 address in dotted decimal (the
// octets in file order, as they travel). Their bytes have one natural order,
// so the byte-order choice does not apply to them.
#include "ext/interface/VantrelExtension.h"

namespace moretypes {

void FormatBinaryByte(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
// One to eight binary digits.
int32_t ParseBinaryByte(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);

void FormatRgbColor(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
// Six hexadecimal digits, with or without the "#".
int32_t ParseRgbColor(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);

void FormatIpv4Address(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix);
// Four decimal octets 0 to 255 without leading zeros (which some readers
// take for octal), separated by dots.
int32_t ParseIpv4Address(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut);

constexpr int32_t kBinaryTextCapacity = 9;
constexpr int32_t kColorTextCapacity = 8;
constexpr int32_t kIpv4TextCapacity = 16;

} // namespace moretypes
