#include "RegistryValue.h"

#include "types/ValueTypeRegistry.h"
#include "platform/MessageBox.h"

QString ConversionFailedText(QStringView text, const QString& typeName)
{
    return QStringLiteral("The text \"%1\" could not be converted to the data type %2.")
        .arg(text.toString(), typeName);
}

bool ParseRegistryValue(const ValueTypeRegistry& types, int typeIndex, QStringView text, bool bigEndian,
                        QByteArray& out, int* radixOut, bool silent)
{
    out.clear();
    if (typeIndex < 0 || typeIndex >= types.Count())
        return false;
    const ValueType& type = types.At(typeIndex);
    QByteArray bytes(type.Size(), '\0');
    if (!type.Parse(text, bigEndian, reinterpret_cast<uint8_t*>(bytes.data()), radixOut)) {
        if (!silent)
            platform::ShowMessage(ConversionFailedText(text, type.Name()));
        return false;
    }
    out = bytes;
    return true;
}
