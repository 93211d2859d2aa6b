#include "TypedValue.h"

#include "ByteOrder.h"
#include "platform/MessageBox.h"

bool TypedValue::ApplyAction(int action, const TypedValue& operand)
{
    if (!IsStdValueType(type) || !IsValueAction(action))
        return false;
    Type().actions[action](bytes.data(), operand.bytes.data());
    return true;
}

void TypedValue::ReverseBytes()
{
    ReverseByteOrder(bytes.data(), Size());
}

bool ParseValueText(int type, QStringView text, bool bigEndian, TypedValue& out, int* radixOut, bool silent)
{
    if (!IsStdValueType(type))
        return false;
    out = TypedValue(type);
    const StdValueType& valueType = StdValueTypeAt(type);
    if (valueType.parse(text, bigEndian, out.bytes.data(), radixOut))
        return true;
    if (!silent)
        platform::ShowMessage(QStringLiteral("The text \"%1\" could not be converted to the data type %2.")
                                  .arg(text.toString(), valueType.Name()));
    return false;
}
