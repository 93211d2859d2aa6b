#pragma once
// What the data view shows for the bytes at the caret, and how a value typed
// into it becomes bytes. Window-free, so the page only moves texts between
// these functions and its rows.
#include "types/ValueTypeRegistry.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <vector>

// The value text of a type whose bytes run past the end of the file.
inline constexpr QStringView kEofValueText = u"<EOF>";

struct ValueCell {
    QString text;
    // Whether the value may be edited in place.
    bool editable = false;
};

struct DataViewFlags {
    bool hexadecimal = false;
    bool bigEndian = false;
    bool readOnly = false;
};

// The cell of one type over data, of which the first `available` bytes lie
// before the end of the file. Too few bytes give "<EOF>" and no editing.
ValueCell FormatValueCell(const ValueType& type, const uint8_t* data, int available, const DataViewFlags& flags);

// The text an in-place edit starts with. The character types show the
// character after their number ("65 'A'"); only the number is edited.
QString EditTextFor(int typeIndex, const QString& valueText);

// Parses an edited value of the type at typeIndex into out (the type's size
// in bytes). The character types read their text as a number: "ASCII
// Character" as a signed byte, "Unicode Character" as a signed 16-bit value,
// both with the big-endian flag. False (out empty) when the text does not fit.
bool ParseEditedValue(const ValueTypeRegistry& types, int typeIndex, QStringView text, bool bigEndian,
                      QByteArray& out);

// "Data Type = "DWord", Size = 4 bytes."
QString ValueRowDescription(const ValueType& type);

// The registry indexes the data view lists under one group: the standard
// types (entries 0 to 11) or the custom types (from 12 on), hidden ones left out.
std::vector<int> VisibleTypes(const ValueTypeRegistry& types, bool custom);
