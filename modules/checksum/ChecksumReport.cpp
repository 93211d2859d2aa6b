#include "ChecksumReport.h"

namespace {
constexpr char16_t kDoubleRule[] = u"========================================";
constexpr char16_t kSingleRule[] = u"----------------------------------------";
} // namespace

ChecksumReport::ChecksumReport(QStringView title, QStringView fileName, int64_t offset, uint64_t length)
{
    AppendLine(kDoubleRule);
    AppendLine(title);
    AppendLine(kDoubleRule);
    AppendLine(QStringLiteral("Filename: %1").arg(fileName));
    AppendLine(QStringLiteral("Offset: %1").arg(offset));
    AppendLine(QStringLiteral("Length: %1").arg(length));
    AppendLine(kSingleRule);
}

bool ChecksumReport::WantsAnyOf(int count) const
{
    if (mask_ == 0)
        return true;
    for (int line = lineIndex_; line < lineIndex_ + count && line < 32; ++line)
        if (mask_ & (1u << line))
            return true;
    return false;
}

void ChecksumReport::AddLine(QStringView name, QStringView value)
{
    const bool wanted = WantsAnyOf(1);
    ++lineIndex_;
    if (!wanted)
        return;
    text_ += name;
    text_ += u": ";
    AppendLine(value);
}

void ChecksumReport::AppendLine(QStringView line)
{
    text_ += line;
    text_ += u"\r\n";
}

QString HexDigits(uint64_t value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString HexBytes(const uint8_t* bytes, size_t count)
{
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    QString text(qsizetype(count * 2), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (size_t i = 0; i < count; ++i) {
        *out++ = kDigits[bytes[i] >> 4];
        *out++ = kDigits[bytes[i] & 0x0F];
    }
    return text;
}
