#include "FloatTypeText.h"

#include "ByteOrder.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace {

class FloatScanner {
public:
    explicit FloatScanner(QStringView text) : text_(text) {}

    bool AtEnd() const { return pos_ >= text_.size(); }
    char16_t Peek() const { return AtEnd() ? char16_t(0) : text_[pos_].unicode(); }
    bool PeekIsDigit() const { return Peek() >= u'0' && Peek() <= u'9'; }

    void SkipWhiteSpace()
    {
        while (!AtEnd() && text_[pos_].isSpace())
            ++pos_;
    }
    // Appends the character to the ASCII copy handed to the converter.
    void Take() { ascii_ += char(text_[pos_++].unicode()); }
    bool TakeIf(char16_t a, char16_t b = 0)
    {
        if (AtEnd() || (Peek() != a && (b == 0 || Peek() != b)))
            return false;
        Take();
        return true;
    }
    int TakeDigits()
    {
        int count = 0;
        for (; PeekIsDigit(); ++count)
            Take();
        return count;
    }
    const std::string& Ascii() const { return ascii_; }

private:
    QStringView text_;
    qsizetype pos_ = 0;
    std::string ascii_;
};

// Sign, digits with an optional point (at least one digit), optional exponent.
bool ScanDecimalNumber(FloatScanner& scan)
{
    scan.TakeIf(u'+', u'-');
    int digits = scan.TakeDigits();
    if (scan.TakeIf(u'.'))
        digits += scan.TakeDigits();
    if (digits == 0)
        return false;
    if (scan.TakeIf(u'e', u'E')) {
        scan.TakeIf(u'+', u'-');
        if (scan.TakeDigits() == 0)
            return false;
    }
    return true;
}

bool IsZeroOrNormalSingle(double value)
{
    const double magnitude = std::fabs(value);
    return magnitude == 0 || (magnitude >= double(std::numeric_limits<float>::min())
                              && magnitude <= double(std::numeric_limits<float>::max()));
}

void ReportDecimal(int* radixOut)
{
    if (radixOut)
        *radixOut = 10;
}

} // namespace

std::optional<double> ParseDecimalFloat(QStringView text)
{
    FloatScanner scan(text);
    scan.SkipWhiteSpace();
    if (!ScanDecimalNumber(scan))
        return std::nullopt;
    scan.SkipWhiteSpace();
    if (!scan.AtEnd())
        return std::nullopt;
    // from_chars takes no "+" and is independent of the locale; it reports
    // overflow and underflow to zero as out of range.
    std::string_view number = scan.Ascii();
    if (number.front() == '+')
        number.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size())
        return std::nullopt;
    return value;
}

QString FormatSingle(const uint8_t* value, bool, int)
{
    return QString::asprintf("%g", double(LoadValue<float>(value)));
}

bool ParseSingle(QStringView text, bool, uint8_t* out, int* radixOut)
{
    const std::optional<double> value = ParseDecimalFloat(text);
    if (!value || !IsZeroOrNormalSingle(*value))
        return false;
    StoreValue<float>(out, float(*value));
    ReportDecimal(radixOut);
    return true;
}

QString FormatDouble(const uint8_t* value, bool, int)
{
    return QString::asprintf("%g", LoadValue<double>(value));
}

bool ParseDouble(QStringView text, bool, uint8_t* out, int* radixOut)
{
    const std::optional<double> value = ParseDecimalFloat(text);
    if (!value)
        return false;
    StoreValue<double>(out, *value);
    ReportDecimal(radixOut);
    return true;
}
