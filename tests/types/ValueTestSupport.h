#pragma once
// Small builders for value-type tests: values from native numbers, parsed
// values, and the stored bytes as a vector so failures print them.
#include "types/TypedValue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

// Lets failures print texts readably.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

template <typename T>
TypedValue ValueOf(int type, T native)
{
    TypedValue value(type);
    std::memcpy(value.bytes.data(), &native, sizeof(T));
    return value;
}

// Integer types and the character types, from the low Size() bytes of raw.
inline TypedValue IntValue(int type, uint64_t raw)
{
    TypedValue value(type);
    std::memcpy(value.bytes.data(), &raw, size_t(value.Size()));
    return value;
}

inline uint64_t RawOf(const TypedValue& value)
{
    uint64_t raw = 0;
    std::memcpy(&raw, value.bytes.data(), size_t(value.Size()));
    return raw;
}

inline std::vector<uint8_t> StoredBytes(const TypedValue& value)
{
    return {value.bytes.begin(), value.bytes.begin() + value.Size()};
}

inline bool TryParse(int type, const QString& text, TypedValue& out, bool bigEndian = false, int* radix = nullptr)
{
    return ParseValueText(type, text, bigEndian, out, radix, true);
}

// The operand as the dialogs build it: of the value's type, or a Byte bit
// count for the shift and rotate actions.
inline TypedValue OperandFor(int type, int action, uint64_t raw)
{
    return IntValue(ValueActionAt(action).operandIsSelectedType ? type : int(TYPE_BYTE), raw);
}

// The raw result of applying action to an integer or character value.
inline uint64_t Applied(int type, uint64_t value, int action, uint64_t operand = 0)
{
    TypedValue target = IntValue(type, value);
    const TypedValue op = OperandFor(type, action, operand);
    EXPECT_TRUE(target.ApplyAction(action, op));
    return RawOf(target);
}
