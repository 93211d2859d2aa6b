#pragma once
// Text conversion and integer value of the two character types. Both parse
// exactly one non-zero UTF-16 code unit and format as the number followed by
// the character in quotes when it is printable.
#include <QString>
#include <QStringView>

#include <cstdint>

// One 8-bit character, shown as a signed byte in decimal. Stores the low 8
// bits of the code unit; the byte order flag has nothing to act on.
QString FormatAsciiCharacter(const uint8_t* value, bool bigEndian, int radix);
bool ParseAsciiCharacter(QStringView text, bool bigEndian, uint8_t* out, int* radixOut);
uint32_t AsciiCharacterIntegerValue(const uint8_t* value, bool bigEndian);

// One UTF-16 code unit, shown as a signed 16-bit number in decimal. Unlike
// an 8-bit character it has a byte order, and it is applied both ways:
// parsing with bigEndian stores the code unit byte-reversed, as every other
// 2-byte type does, so "A" is found as 00 41 in big-endian data and a parsed
// value formats back to the same character.
QString FormatUnicodeCharacter(const uint8_t* value, bool bigEndian, int radix);
bool ParseUnicodeCharacter(QStringView text, bool bigEndian, uint8_t* out, int* radixOut);
uint32_t UnicodeCharacterIntegerValue(const uint8_t* value, bool bigEndian);
