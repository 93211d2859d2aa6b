#include "CCustomType.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

CCustomType::CCustomType(const TypeRecord& record, QString modulePath, QString moduleDescription,
                         CustomTypeScratch& scratch)
    : record_(record),
      name_(QString::fromUtf16(record.name)),
      modulePath_(std::move(modulePath)),
      moduleDescription_(std::move(moduleDescription)),
      scratch_(scratch)
{
}

QString CCustomType::Format(const uint8_t* data, bool bigEndian, int radix) const
{
    // The text buffer ends in a terminator the module is not told about, so a
    // module that fills its whole capacity still yields a bounded text.
    std::vector<char16_t>& text = scratch_.text;
    std::fill(text.begin(), text.end(), u'\0');
    std::memcpy(scratch_.value.data(), data, size_t(record_.size));
    record_.format(scratch_.value.data(), text.data(), bigEndian ? 1 : 0, radix);
    const auto end = std::find(text.begin(), text.end() - 1, u'\0');
    return QString::fromUtf16(text.data(), end - text.begin());
}

bool CCustomType::Parse(QStringView text, bool bigEndian, uint8_t* out, int* radixOut) const
{
    // The module gets a terminated copy and writes into scratch; the caller's
    // bytes change only when the module reports success.
    const std::u16string input = text.toString().toStdU16String();
    int32_t radix = 10;
    if (!record_.parse(input.c_str(), scratch_.value.data(), bigEndian ? 1 : 0, &radix))
        return false;
    std::memcpy(out, scratch_.value.data(), size_t(record_.size));
    if (radixOut)
        *radixOut = radix;
    return true;
}

uint32_t CCustomType::IntegerValue(const uint8_t* data, bool bigEndian) const
{
    if (!record_.toInteger)
        return 0;
    return uint32_t(record_.toInteger(data, bigEndian ? 1 : 0));
}

QString CCustomType::Description() const
{
    const QString title = QStringLiteral("%1 (%2)").arg(name_, ByteCountText(record_.size));
    QString text = QStringLiteral("Data type %1. This is a custom data type implemented in \"%2\".").arg(title, modulePath_);
    if (!moduleDescription_.isEmpty())
        text += QStringLiteral("\r\n\r\n") + moduleDescription_;
    return text;
}
