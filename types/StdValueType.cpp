#include "StdValueType.h"

#include "CharacterTypeText.h"
#include "FloatActions.h"
#include "FloatTypeText.h"
#include "IntegerActions.h"
#include "IntegerTypeText.h"

#include <QtGlobal>

#include <iterator>

namespace {

// Signed integer types divide and compare signed; unsigned ones do neither.
template <typename U, bool Signed>
constexpr StdValueType IntegerRow(const char* name, int displayLength)
{
    using Text = IntegerTypeText<U, Signed>;
    return {name, int(sizeof(U)), displayLength, &Text::Format, &Text::Parse, &Text::IntegerValue,
            IntegerActions<U, Signed, Signed>::Row()};
}

template <typename F, typename Bits>
constexpr StdValueType FloatRow(const char* name, ValueFormatFn format, ValueParseFn parse)
{
    return {name, int(sizeof(F)), 32, format, parse, nullptr, FloatActions<F, Bits>::Row()};
}

// The character types divide as signed numbers but compare unsigned.
template <typename U>
constexpr StdValueType CharacterRow(const char* name, ValueFormatFn format, ValueParseFn parse,
                                    ValueIntegerFn integerValue)
{
    return {name, int(sizeof(U)), 12, format, parse, integerValue, IntegerActions<U, true, false>::Row()};
}

constexpr StdValueType STD_VALUE_TYPES[] = {
    IntegerRow<uint8_t, false>("Byte", 10),
    IntegerRow<uint16_t, false>("Word", 10),
    IntegerRow<uint32_t, false>("DWord", 20),
    IntegerRow<uint64_t, false>("QWord", 32),
    IntegerRow<uint8_t, true>("Signed Byte", 10),
    IntegerRow<uint16_t, true>("Signed Word", 10),
    IntegerRow<uint32_t, true>("Signed DWord", 20),
    IntegerRow<uint64_t, true>("Signed QWord", 32),
    FloatRow<float, uint32_t>("Single", &FormatSingle, &ParseSingle),
    FloatRow<double, uint64_t>("Double", &FormatDouble, &ParseDouble),
    CharacterRow<uint8_t>("ASCII Character", &FormatAsciiCharacter, &ParseAsciiCharacter,
                          &AsciiCharacterIntegerValue),
    CharacterRow<uint16_t>("Unicode Character", &FormatUnicodeCharacter, &ParseUnicodeCharacter,
                           &UnicodeCharacterIntegerValue),
};
static_assert(std::size(STD_VALUE_TYPES) == STD_VALUE_TYPE_COUNT);

} // namespace

bool IsStdValueType(int index) { return index >= 0 && index < STD_VALUE_TYPE_COUNT; }

const StdValueType& StdValueTypeAt(int index)
{
    Q_ASSERT(IsStdValueType(index));
    return STD_VALUE_TYPES[index];
}
