#include "IntegerTypes.h"

#include "TypeBytes.h"
#include "TypeText.h"

namespace moretypes {

namespace {

constexpr uint64_t kMask = 0xFFFFFF;
constexpr int64_t kSignedMin = -0x800000;
constexpr int64_t kSignedMax = 0x7FFFFF;

int64_t SignExtend(uint64_t bits) { return bits & 0x800000 ? int64_t(bits) - 0x1000000 : int64_t(bits); }

// The 24-bit pattern the text stands for, or nothing when it does not fit.
// Hexadecimal and octal text of a signed value may be its bit pattern.
std::optional<uint64_t> ReadBits(const char16_t* text, bool isSigned, int& radix)
{
    const std::optional<std::string> ascii = TrimmedAscii(text);
    const std::optional<ParsedInteger> number = ascii ? ParseIntegerText(*ascii) : std::nullopt;
    if (!number)
        return std::nullopt;
    radix = number->radix;
    const uint64_t magnitude = number->magnitude;
    if (number->negative) {
        if (!isSigned)
            return magnitude == 0 ? std::optional<uint64_t>(0) : std::nullopt;
        if (magnitude > uint64_t(-kSignedMin))
            return std::nullopt;
        return (0 - magnitude) & kMask;
    }
    const uint64_t limit = isSigned && radix == 10 ? uint64_t(kSignedMax) : kMask;
    if (magnitude > limit)
        return std::nullopt;
    return magnitude;
}

int32_t Parse(const char16_t* text, uint8_t* data, bool bigEndian, int32_t* radixOut, bool isSigned)
{
    int radix = 10;
    const std::optional<uint64_t> bits = ReadBits(text, isSigned, radix);
    if (!bits)
        return 0;
    StoreBytes(data, 3, *bits, bigEndian);
    return Parsed(radixOut, radix);
}

} // namespace

void FormatInt24(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix)
{
    const uint64_t bits = LoadBytes(data, 3, bigEndian != 0);
    WriteText(IntegerText(SignExtend(bits), bits, radix), text, kInt24TextCapacity);
}

int32_t ParseInt24(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    return Parse(text, data, bigEndian != 0, radixOut, true);
}

int32_t Int24Value(const uint8_t* data, int32_t bigEndian)
{
    return int32_t(SignExtend(LoadBytes(data, 3, bigEndian != 0)));
}

void FormatUInt24(const uint8_t* data, char16_t* text, int32_t bigEndian, int32_t radix)
{
    const uint64_t bits = LoadBytes(data, 3, bigEndian != 0);
    WriteText(IntegerText(int64_t(bits), bits, radix), text, kInt24TextCapacity);
}

int32_t ParseUInt24(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    return Parse(text, data, bigEndian != 0, radixOut, false);
}

int32_t UInt24Value(const uint8_t* data, int32_t bigEndian) { return int32_t(LoadBytes(data, 3, bigEndian != 0)); }

} // namespace moretypes
