#pragma once
// The twelve standard value types. Each row knows how to turn text into
// stored bytes, stored bytes into text, and how to apply each value action.
// The operations are plain function pointers with one signature per kind, so
// the data-type registry can list these rows next to the custom types of
// extension modules and call both the same way. The index is what settings
// store, so the order never changes.
#include "ValueAction.h"

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

enum StdValueTypeId : int {
    TYPE_BYTE,
    TYPE_WORD,
    TYPE_DWORD,
    TYPE_QWORD,
    TYPE_SIGNED_BYTE,
    TYPE_SIGNED_WORD,
    TYPE_SIGNED_DWORD,
    TYPE_SIGNED_QWORD,
    TYPE_SINGLE,
    TYPE_DOUBLE,
    TYPE_ASCII_CHARACTER,
    TYPE_UNICODE_CHARACTER,
};

constexpr int STD_VALUE_TYPE_COUNT = 12;

// Values are held in native little-endian order; bigEndian asks the operation
// to reverse the bytes on the way in or out (integer and Unicode Character
// types only: Single and Double ignore it).
//
// Radix is 10 or 16 from callers; the integer types also accept 8. Any other
// radix formats in decimal.
using ValueFormatFn = QString (*)(const uint8_t* value, bool bigEndian, int radix);
// Writes size bytes to out and, when radixOut is not null, the radix the
// text was written in. On failure out holds unspecified bytes.
using ValueParseFn = bool (*)(QStringView text, bool bigEndian, uint8_t* out, int* radixOut);
using ValueIntegerFn = uint32_t (*)(const uint8_t* value, bool bigEndian);
// Both value and operand are in native order. The operand of the shift and
// rotate actions is a Byte (the bit count), whatever the value's type.
using ValueActionFn = void (*)(uint8_t* value, const uint8_t* operand);
using ValueActionRow = std::array<ValueActionFn, VALUE_ACTION_COUNT>;

struct StdValueType {
    const char* name;
    int size;           // bytes
    int displayLength;  // the most characters format ever gives
    ValueFormatFn format;
    ValueParseFn parse;
    ValueIntegerFn integerValue;  // null for Single and Double
    ValueActionRow actions;       // indexed by ValueActionId

    QString Name() const { return QString::fromLatin1(name); }
    bool HasIntegerValue() const { return integerValue != nullptr; }
};

bool IsStdValueType(int index);
// index must satisfy IsStdValueType.
const StdValueType& StdValueTypeAt(int index);
