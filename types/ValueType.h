#pragma once
// One data type as the data inspector, the structure definitions and the
// structure editor see it: either one of the twelve standard value types or
// a custom type supplied by a data-type module. Both answer the same
// questions, so the registry lists them side by side.
#include <QString>
#include <QStringView>

#include <cstdint>

class ValueType {
public:
    virtual ~ValueType() = default;

    virtual QString Name() const = 0;
    // Bytes one value occupies in the file; always at least 1.
    virtual int Size() const = 0;
    // The most characters the formatted text can need.
    virtual int DisplayLength() const = 0;

    // data holds Size() bytes in file order; radix is 10 or 16.
    virtual QString Format(const uint8_t* data, bool bigEndian, int radix) const = 0;
    // Writes Size() bytes to out only on success; out is left alone on failure.
    // radixOut, when not null, receives the radix the text was written in.
    virtual bool Parse(QStringView text, bool bigEndian, uint8_t* out, int* radixOut) const = 0;

    // Whether the type can give a count (an array length in a structure).
    virtual bool HasIntegerValue() const = 0;
    // 0 for a type without an integer value.
    virtual uint32_t IntegerValue(const uint8_t* data, bool bigEndian) const = 0;

    // The text the "Data Types" dialog shows for the type.
    virtual QString Description() const = 0;
};

// "1 byte", "2 bytes": how sizes read in names and descriptions.
QString ByteCountText(int size);
