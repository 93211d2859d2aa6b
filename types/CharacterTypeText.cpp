#include "CharacterTypeText.h"

#include "ByteOrder.h"

namespace {

// The number in the radix asked for (anything but 16 is decimal), then the
// character in single quotes when it is printable.
QString FormatCharacter(unsigned hexValue, int decimalValue, QChar character, bool printable, int radix)
{
    QString text = radix == 16 ? QStringLiteral("0x") + QString::number(hexValue, 16).toUpper()
                               : QString::number(decimalValue);
    if (printable)
        text += QStringLiteral(" '") + character + QLatin1Char('\'');
    return text;
}

bool ReadOneCodeUnit(QStringView text, char16_t* codeUnit, int* radixOut)
{
    if (text.size() != 1 || text[0].unicode() == 0)
        return false;
    *codeUnit = text[0].unicode();
    if (radixOut)
        *radixOut = 10;
    return true;
}

} // namespace

QString FormatAsciiCharacter(const uint8_t* value, bool, int radix)
{
    const uint8_t byte = value[0];
    const bool printable = byte >= 0x20 && byte <= 0x7E;
    return FormatCharacter(byte, int8_t(byte), QChar(byte), printable, radix);
}

bool ParseAsciiCharacter(QStringView text, bool, uint8_t* out, int* radixOut)
{
    char16_t codeUnit = 0;
    if (!ReadOneCodeUnit(text, &codeUnit, radixOut))
        return false;
    out[0] = uint8_t(codeUnit & 0xFF);
    return true;
}

uint32_t AsciiCharacterIntegerValue(const uint8_t* value, bool)
{
    return uint32_t(int32_t(int8_t(value[0])));
}

QString FormatUnicodeCharacter(const uint8_t* value, bool bigEndian, int radix)
{
    const char16_t codeUnit = LoadValue<char16_t>(value, bigEndian);
    const QChar character(codeUnit);
    return FormatCharacter(codeUnit, int16_t(codeUnit), character, character.isPrint(), radix);
}

bool ParseUnicodeCharacter(QStringView text, bool bigEndian, uint8_t* out, int* radixOut)
{
    char16_t codeUnit = 0;
    if (!ReadOneCodeUnit(text, &codeUnit, radixOut))
        return false;
    StoreValue<char16_t>(out, codeUnit);
    if (bigEndian)
        ReverseByteOrder(out, sizeof(char16_t));
    return true;
}

uint32_t UnicodeCharacterIntegerValue(const uint8_t* value, bool bigEndian)
{
    return LoadValue<char16_t>(value, bigEndian);
}
