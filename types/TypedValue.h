#pragma once
// A value of one of the standard types together with its type, as the
// Modify, Insert and Find Value dialogs hold what the user typed.
#include "StdValueType.h"

#include <QStringView>

#include <array>
#include <cstdint>

struct TypedValue {
    static constexpr int STORAGE_SIZE = 16;

    int32_t type = TYPE_BYTE;
    // Native little-endian order in the first Size() bytes; the rest stay zero.
    std::array<uint8_t, STORAGE_SIZE> bytes{};

    TypedValue() = default;
    explicit TypedValue(int32_t typeIndex) : type(typeIndex) {}

    // Type() and Format() need a standard type index.
    const StdValueType& Type() const { return StdValueTypeAt(type); }
    // 0 for an index that is not a standard type.
    int Size() const { return IsStdValueType(type) ? Type().size : 0; }
    QString Format(bool bigEndian, int radix) const { return Type().format(bytes.data(), bigEndian, radix); }

    // Applies the action of this value's type with operand's bytes (for the
    // shift and rotate actions a Byte bit count). Returns false, changing
    // nothing, when the type or the action index is not a known one.
    bool ApplyAction(int action, const TypedValue& operand);

    // Turns the native value into big-endian order and back.
    void ReverseBytes();
};

// Parses text as the given type into out (whose type becomes that type and
// whose storage is cleared first) and reports the radix written. On failure
// the user is told "The text "..." could not be converted to the data type
// ..." unless silent; out's bytes are then unspecified. An unknown type index
// fails silently: it is the caller's mistake, not the user's.
bool ParseValueText(int type, QStringView text, bool bigEndian, TypedValue& out, int* radixOut,
                    bool silent = false);
