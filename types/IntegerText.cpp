#include "IntegerText.h"
#include "DigitValue.h"

#include <limits>

namespace {

bool IsBlank(char16_t c) { return c >= 1 && c <= 32; }

class IntegerScanner {
public:
    explicit IntegerScanner(QStringView text) : text_(text) {}

    char16_t Peek(qsizetype ahead = 0) const
    {
        return pos_ + ahead < text_.size() ? text_[pos_ + ahead].unicode() : char16_t(0);
    }
    bool AtEnd() const { return pos_ >= text_.size(); }
    void Skip(qsizetype count = 1) { pos_ += count; }
    void SkipBlanks()
    {
        while (!AtEnd() && IsBlank(Peek()))
            Skip();
    }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

void ReadSign(IntegerScanner& scan, ParsedInteger& result)
{
    if (scan.Peek() == u'-') {
        result.negative = true;
        scan.Skip();
    } else if (scan.Peek() == u'+') {
        scan.Skip();
    }
}

// "0x" selects hexadecimal; a "0" before an octal digit selects octal, so
// "08" and "09" stay decimal.
void ReadRadixPrefix(IntegerScanner& scan, ParsedInteger& result)
{
    if (scan.Peek() != u'0')
        return;
    const char16_t next = scan.Peek(1);
    if (next == u'x' || next == u'X') {
        result.radix = 16;
        scan.Skip(2);
    } else if (next >= u'0' && next <= u'7') {
        result.radix = 8;
        scan.Skip();
    }
}

// Accumulates digits up to the first character below "0". A skipped leading
// zero counts as a digit, so a lone "0" is zero while a bare "0x" has none.
// The overflow test is exact: value * radix + digit must stay within 64 bits.
bool ReadDigits(IntegerScanner& scan, ParsedInteger& result)
{
    bool sawDigit = false;
    while (scan.Peek() == u'0') {
        scan.Skip();
        sawDigit = true;
    }
    const uint64_t radix = uint64_t(result.radix);
    uint64_t value = 0;
    while (!scan.AtEnd() && scan.Peek() >= u'0') {
        const int digit = DigitValue(scan.Peek());
        if (digit < 0 || uint64_t(digit) >= radix)
            return false;
        if (value > (std::numeric_limits<uint64_t>::max() - uint64_t(digit)) / radix)
            return false;
        value = value * radix + uint64_t(digit);
        sawDigit = true;
        scan.Skip();
    }
    result.value = value;
    return sawDigit;
}

} // namespace

ParsedInteger ParseInteger(QStringView text)
{
    ParsedInteger result;
    IntegerScanner scan(text);
    scan.SkipBlanks();
    ReadSign(scan, result);
    ReadRadixPrefix(scan, result);
    if (!ReadDigits(scan, result))
        return result;
    scan.SkipBlanks();
    if (!scan.AtEnd())
        return result;
    if (result.negative)
        result.value = 0 - result.value;
    result.error = false;
    return result;
}

QString FormatInteger(uint64_t value, bool isSigned, int radix)
{
    if (radix == 16)
        return QStringLiteral("0x") + QString::number(value, 16).toUpper();
    if (radix == 8)
        return QStringLiteral("0") + QString::number(value, 8);
    if (isSigned && int64_t(value) < 0)
        return QStringLiteral("-") + QString::number(0 - value);
    return QString::number(value);
}
