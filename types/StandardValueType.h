#pragma once
// A standard value type offered through the registry's common interface.
#include "types/ValueType.h"
#include "types/StdValueType.h"

class StandardValueType final : public ValueType {
public:
    // index must be a standard type index (0 to 11).
    explicit StandardValueType(int index);

    QString Name() const override;
    int Size() const override;
    int DisplayLength() const override;
    QString Format(const uint8_t* data, bool bigEndian, int radix) const override;
    bool Parse(QStringView text, bool bigEndian, uint8_t* out, int* radixOut) const override;
    bool HasIntegerValue() const override;
    uint32_t IntegerValue(const uint8_t* data, bool bigEndian) const override;
    QString Description() const override;

private:
    const StdValueType& type_;
};
