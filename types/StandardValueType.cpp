#include "StandardValueType.h"

#include <array>
#include <cstring>

QString ByteCountText(int size)
{
    return QStringLiteral("%1 byte%2").arg(size).arg(size == 1 ? QString() : QStringLiteral("s"));
}

StandardValueType::StandardValueType(int index) : type_(StdValueTypeAt(index)) {}

QString StandardValueType::Name() const { return type_.Name(); }

int StandardValueType::Size() const { return type_.size; }

int StandardValueType::DisplayLength() const { return type_.displayLength; }

QString StandardValueType::Format(const uint8_t* data, bool bigEndian, int radix) const
{
    return type_.format(data, bigEndian, radix);
}

bool StandardValueType::Parse(QStringView text, bool bigEndian, uint8_t* out, int* radixOut) const
{
    // The standard parsers may leave partial bytes behind on failure; parse
    // aside so the caller's bytes change only on success.
    std::array<uint8_t, 16> scratch{};
    int radix = 10;
    if (!type_.parse(text, bigEndian, scratch.data(), &radix))
        return false;
    std::memcpy(out, scratch.data(), size_t(type_.size));
    if (radixOut)
        *radixOut = radix;
    return true;
}

bool StandardValueType::HasIntegerValue() const { return type_.HasIntegerValue(); }

uint32_t StandardValueType::IntegerValue(const uint8_t* data, bool bigEndian) const
{
    return type_.integerValue ? type_.integerValue(data, bigEndian) : 0;
}

QString StandardValueType::Description() const
{
    const QString title = QStringLiteral("%1 (%2)").arg(Name(), ByteCountText(Size()));
    return QStringLiteral("Data type %1. This is a standard data type implemented in Vantrel.exe.").arg(title);
}
