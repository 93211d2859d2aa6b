#include "CliNumbers.h"

namespace {

int DigitValue(QChar c, int radix)
{
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < radix ? value : -1;
}

} // namespace

std::optional<int64_t> ParseCliNumber(const QString& text)
{
    const bool hex = text.startsWith(u"0x", Qt::CaseInsensitive);
    const int radix = hex ? 16 : 10;
    const QStringView digits = QStringView(text).mid(hex ? 2 : 0);
    if (digits.isEmpty())
        return std::nullopt;
    int64_t value = 0;
    for (const QChar c : digits) {
        const int digit = DigitValue(c, radix);
        if (digit < 0 || value > (INT64_MAX - digit) / radix)
            return std::nullopt;
        value = value * radix + digit;
    }
    return value;
}

std::optional<QByteArray> ParseHexBytes(const QString& text)
{
    QByteArray bytes;
    int high = -1;
    for (const QChar c : text) {
        if (c.isSpace()) {
            if (high >= 0)
                return std::nullopt;
            continue;
        }
        const int digit = DigitValue(c, 16);
        if (digit < 0)
            return std::nullopt;
        if (high < 0) {
            high = digit;
        } else {
            bytes.append(char(high << 4 | digit));
            high = -1;
        }
    }
    if (high >= 0 || bytes.isEmpty())
        return std::nullopt;
    return bytes;
}
