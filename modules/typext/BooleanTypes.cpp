#include "BooleanTypes.h"

#include "ByteOrder.h"
#include "DateTimeText.h"

namespace typext {

namespace {

void WriteLiteral(const char16_t* literal, char16_t* text)
{
    int i = 0;
    for (; literal[i] && i < kBoolTextCapacity - 1; ++i)
        text[i] = literal[i];
    text[i] = u'\0';
}

bool IsAsciiSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// A leading integer as the C library reads one: optional white space and
// sign, then decimal digits. Only whether it is zero matters, so overflow
// (which saturates there) cannot turn a non-zero value into zero.
bool LeadingIntegerIsNonZero(const char16_t* p)
{
    while (IsAsciiSpace(*p))
        ++p;
    if (*p == u'+' || *p == u'-')
        ++p;
    for (; *p >= u'0' && *p <= u'9'; ++p)
        if (*p != u'0')
            return true;
    return false;
}

int32_t Succeeded(int32_t* radixOut)
{
    if (radixOut)
        *radixOut = 10;
    return 1;
}

} // namespace

bool ReadBoolean(const char16_t* text)
{
    if (!text)
        return false;
    while (*text && *text <= 32)
        ++text;
    if (ViewOf(text).compare(QStringView(u"TRUE"), Qt::CaseInsensitive) == 0)
        return true;
    return LeadingIntegerIsNonZero(text);
}

// Zero is zero in either byte order, so the flag does not matter for the text.
void FormatWindowsBool(const uint8_t* data, char16_t* text, int32_t, int32_t)
{
    WriteLiteral(Load32(data, false) ? u"TRUE" : u"FALSE", text);
}

int32_t ParseWindowsBool(const char16_t* text, uint8_t* data, int32_t bigEndian, int32_t* radixOut)
{
    Store32(data, ReadBoolean(text) ? 1 : 0, bigEndian != 0);
    return Succeeded(radixOut);
}

int32_t WindowsBoolValue(const uint8_t* data, int32_t) { return int32_t(Load32(data, false)); }

void FormatCBool(const uint8_t* data, char16_t* text, int32_t, int32_t)
{
    WriteLiteral(data[0] ? u"true" : u"false", text);
}

int32_t ParseCBool(const char16_t* text, uint8_t* data, int32_t, int32_t* radixOut)
{
    data[0] = ReadBoolean(text) ? 1 : 0;
    return Succeeded(radixOut);
}

int32_t CBoolValue(const uint8_t* data, int32_t) { return data[0]; }

void FormatVbBoolean(const uint8_t* data, char16_t* text, int32_t, int32_t)
{
    WriteLiteral(Load16(data, false) ? u"True" : u"False", text);
}

int32_t ParseVbBoolean(const char16_t* text, uint8_t* data, int32_t, int32_t* radixOut)
{
    // -1 is FFFF in either byte order.
    Store16(data, ReadBoolean(text) ? 0xFFFF : 0, false);
    return Succeeded(radixOut);
}

int32_t VbBooleanValue(const uint8_t* data, int32_t) { return data[0]; }

} // namespace typext
