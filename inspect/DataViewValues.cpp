#include "DataViewValues.h"

#include "types/StdValueType.h"

ValueCell FormatValueCell(const ValueType& type, const uint8_t* data, int available, const DataViewFlags& flags)
{
    if (available < type.Size())
        return {kEofValueText.toString(), false};
    return {type.Format(data, flags.bigEndian, flags.hexadecimal ? 16 : 10), !flags.readOnly};
}

QString EditTextFor(int typeIndex, const QString& valueText)
{
    if (typeIndex != TYPE_ASCII_CHARACTER && typeIndex != TYPE_UNICODE_CHARACTER)
        return valueText;
    const qsizetype space = valueText.indexOf(u' ');
    return space < 0 ? valueText : valueText.left(space);
}

bool ParseEditedValue(const ValueTypeRegistry& types, int typeIndex, QStringView text, bool bigEndian,
                      QByteArray& out)
{
    out.clear();
    if (typeIndex < 0 || typeIndex >= types.Count())
        return false;
    // The character types are edited as the numbers they show; the numeric
    // types of the same width parse them with the same range rules.
    int parseIndex = typeIndex;
    if (typeIndex == TYPE_ASCII_CHARACTER)
        parseIndex = TYPE_SIGNED_BYTE;
    else if (typeIndex == TYPE_UNICODE_CHARACTER)
        parseIndex = TYPE_SIGNED_WORD;
    const ValueType& type = types.At(parseIndex);
    QByteArray bytes(type.Size(), '\0');
    if (!type.Parse(text, bigEndian, reinterpret_cast<uint8_t*>(bytes.data()), nullptr))
        return false;
    out = bytes;
    return true;
}

QString ValueRowDescription(const ValueType& type)
{
    return QStringLiteral("Data Type = \"%1\", Size = %2.").arg(type.Name(), ByteCountText(type.Size()));
}

std::vector<int> VisibleTypes(const ValueTypeRegistry& types, bool custom)
{
    std::vector<int> indexes;
    for (int index = 0; index < types.Count(); ++index)
        if (ValueTypeRegistry::IsCustomIndex(index) == custom && !types.IsHidden(index))
            indexes.push_back(index);
    return indexes;
}
