// The types of Moretypes.vtt over their edge values: each text is what the
// bytes show and parses back to the same bytes, in every test locale; texts
// that do not fit fail instead of wrapping.
#include "MoretypesHarness.h"

#include <QLocale>
#include <QStringList>
#include <clocale>
#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* hex) { return QByteArray::fromHex(hex); }

struct Case {
    const char* type;
    const char* bytes; // in file order
    bool bigEndian;
    int radix;
    const char* text;
};

const Case kCases[] = {
    {"Unix Time (32-bit)", "00000000", false, 10, "1970-01-01 00:00:00Z"},
    {"Unix Time (32-bit)", "ffffff7f", false, 10, "2038-01-19 03:14:07Z"},
    {"Unix Time (32-bit)", "7fffffff", true, 10, "2038-01-19 03:14:07Z"},
    {"Unix Time (32-bit)", "00000080", false, 10, "1901-12-13 20:45:52Z"},
    {"Unix Time (32-bit)", "ffffffff", false, 10, "1969-12-31 23:59:59Z"},
    {"Unix Time (32-bit)", "1386776a", false, 10, "2026-08-08 19:40:03Z"},
    {"Unix Time (64-bit)", "0000008000000000", false, 10, "2038-01-19 03:14:08Z"},
    {"Unix Time (64-bit)", "0000000080000000", true, 10, "2038-01-19 03:14:08Z"},
    {"Unix Time (64-bit)", "800c7ddff8ffffff", false, 10, "1000-01-01 00:00:00Z"},
    {"Unix Time (64-bit)", "ffffffffffffffff", false, 10, "1969-12-31 23:59:59Z"},
    {"Unix Time (64-bit)", "80328a86f1ffffff", false, 10, "-0001-12-31 00:00:00Z"},
    {"Unix Time (64-bit)", "ffffffffffffff7f", false, 10, "292277026596-12-04 15:30:07Z"},
    {"Unix Time (64-bit)", "0000000000000080", false, 10, "-292277022657-01-27 08:29:52Z"},
    {"MS-DOS Date and Time", "00002100", false, 10, "1980-01-01 00:00:00"},
    {"MS-DOS Date and Time", "7dbf9fff", false, 10, "2107-12-31 23:59:58"},
    {"MS-DOS Date and Time", "bf7dff9f", true, 10, "2107-12-31 23:59:58"},
    {"GUID", "33221100554477668899aabbccddeeff", false, 10, "{00112233-4455-6677-8899-AABBCCDDEEFF}"},
    {"GUID", "00112233445566778899aabbccddeeff", true, 10, "{00112233-4455-6677-8899-AABBCCDDEEFF}"},
    {"GUID", "00000000000000000000000000000000", false, 10, "{00000000-0000-0000-0000-000000000000}"},
    {"Half Float", "003c", false, 10, "1"},
    {"Half Float", "3c00", true, 10, "1"},
    {"Half Float", "00c0", false, 10, "-2"},
    {"Half Float", "ff7b", false, 10, "65504"},
    {"Half Float", "007c", false, 10, "inf"},
    {"Half Float", "00fc", false, 10, "-inf"},
    {"Half Float", "007e", false, 10, "nan"},
    {"Half Float", "00fe", false, 10, "-nan"},
    {"Half Float", "0100", false, 10, "5.96046e-08"},
    {"Half Float", "ff03", false, 10, "6.09756e-05"},
    {"Half Float", "0004", false, 10, "6.10352e-05"},
    {"Half Float", "0080", false, 10, "-0"},
    {"Half Float", "5535", false, 10, "0.333252"},
    {"BFloat16", "803f", false, 10, "1"},
    {"BFloat16", "7f7f", false, 10, "3.38953e+38"},
    {"BFloat16", "0080", false, 10, "-0"},
    {"BFloat16", "0100", false, 10, "9.18355e-41"},
    {"BFloat16", "807f", false, 10, "inf"},
    {"BFloat16", "c07f", false, 10, "nan"},
    {"Int24", "000080", false, 10, "-8388608"},
    {"Int24", "000080", false, 16, "0x800000"},
    {"Int24", "ffff7f", false, 10, "8388607"},
    {"Int24", "7fffff", true, 10, "8388607"},
    {"Int24", "ffffff", false, 10, "-1"},
    {"Int24", "ffffff", false, 16, "0xFFFFFF"},
    {"UInt24", "ffffff", false, 10, "16777215"},
    {"UInt24", "123456", true, 16, "0x123456"},
    {"UInt24", "000000", false, 10, "0"},
    {"Binary Byte", "41", false, 10, "01000001"},
    {"Binary Byte", "ff", false, 10, "11111111"},
    {"Binary Byte", "00", false, 10, "00000000"},
    {"RGB Color", "12abef", false, 10, "#12ABEF"},
    {"RGB Color", "12abef", true, 10, "#12ABEF"},
    {"IPv4 Address", "c0a80001", false, 10, "192.168.0.1"},
    {"IPv4 Address", "ffffffff", true, 10, "255.255.255.255"},
    {"IPv4 Address", "00000000", false, 10, "0.0.0.0"},
};

// Texts that must fail: out of range, malformed, or not what the type writes.
const std::pair<const char*, const char*> kRefused[] = {
    {"Unix Time (32-bit)", "2038-01-19 03:14:08Z"},
    {"Unix Time (32-bit)", "1901-12-13 20:45:51Z"},
    {"Unix Time (32-bit)", "2147483648"},
    {"Unix Time (32-bit)", "0x10"},
    {"Unix Time (32-bit)", "2026-02-30 00:00:00Z"},
    {"Unix Time (32-bit)", "2026-12-08 24:00:00Z"},
    {"Unix Time (32-bit)", "2026-12-08 09:14"},
    {"Unix Time (32-bit)", "26-12-08 09:14:27Z"},
    {"Unix Time (32-bit)", "2026-12-08 09:14:27Z junk"},
    {"Unix Time (32-bit)", ""},
    {"Unix Time (64-bit)", "292277026596-12-04 15:30:08Z"},
    {"Unix Time (64-bit)", "9223372036854775808"},
    {"MS-DOS Date and Time", "1979-12-31 23:59:58"},
    {"MS-DOS Date and Time", "2108-01-01 00:00:00"},
    {"MS-DOS Date and Time", "2000-01-01 00:00:01"},
    {"MS-DOS Date and Time", "2000-01-01 00:00:00Z"},
    {"GUID", "{00112233-4455-6677-8899-AABBCCDDEEF}"},
    {"GUID", "{00112233-4455-6677-8899-AABBCCDDEEFG}"},
    {"GUID", "00112233445566778899AABBCCDDEEFF"},
    {"GUID", "{00112233-4455-6677-8899AABBCCDDEEFF0}"},
    {"Half Float", "65520"},
    {"Half Float", "1e-10"},
    {"Half Float", "1e999"},
    {"Half Float", "infinity"},
    {"Half Float", "0x1p3"},
    {"Half Float", "1,5"},
    {"BFloat16", "3.4e39"},
    {"Int24", "8388608"},
    {"Int24", "-8388609"},
    {"Int24", "0x1000000"},
    {"Int24", "12abc"},
    {"UInt24", "16777216"},
    {"UInt24", "-1"},
    {"UInt24", "09"},
    {"Binary Byte", "100000000"},
    {"Binary Byte", "012"},
    {"Binary Byte", ""},
    {"RGB Color", "#12ABE"},
    {"RGB Color", "#12ABEG"},
    {"RGB Color", "##12ABEF"},
    {"IPv4 Address", "256.1.1.1"},
    {"IPv4 Address", "1.2.3"},
    {"IPv4 Address", "1.2.3.4.5"},
    {"IPv4 Address", "01.2.3.4"},
    {"IPv4 Address", "1..3.4"},
    {"IPv4 Address", "1.2.3.4x"},
};

// Plain forms a user may type, and what they store.
struct Typed {
    const char* type;
    const char* text;
    bool bigEndian;
    const char* bytes;
    int radix;
};
const Typed kTyped[] = {
    {"Unix Time (32-bit)", "  -1 ", false, "ffffffff", 10},
    {"Unix Time (32-bit)", "2026-12-08T09:14:27", false, "73ca176b", 10},
    {"Unix Time (64-bit)", "-9223372036854775808", false, "0000000000000080", 10},
    {"GUID", "00112233-4455-6677-8899-aabbccddeeff", false, "33221100554477668899aabbccddeeff", 16},
    {"Half Float", "1.5", false, "003e", 10},
    {"Half Float", "+65519", false, "ff7b", 10},
    {"Half Float", "3e-8", false, "0100", 10},  // just over half the smallest step rounds up
    {"Half Float", "1.00048828125", false, "003c", 10}, // a tie rounds to the even neighbour
    {"BFloat16", "1.00390625", false, "803f", 10},
    {"Int24", "-0x800000", false, "000080", 16},
    {"Int24", "010", false, "080000", 8},
    {"UInt24", "0xabcdef", true, "abcdef", 16},
    {"UInt24", "-0", false, "000000", 10},
    {"Binary Byte", "101", false, "05", 2},
    {"RGB Color", "12abef", false, "12abef", 16},
};

class MoretypesLocaleTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        saved_ = QLocale();
        QLocale::setDefault(QLocale(QString::fromLatin1(GetParam())));
        // The program takes the C library's locale from the environment too;
        // try the same here where the system has that locale.
        std::setlocale(LC_ALL, (std::string(GetParam()) + ".UTF-8").c_str());
    }
    void TearDown() override
    {
        QLocale::setDefault(saved_);
        std::setlocale(LC_ALL, "C");
    }
    static const TypeRecord& Type(const char* name) { return Moretypes().Type(name); }

private:
    QLocale saved_;
};

TEST_P(MoretypesLocaleTest, EdgeValuesFormatAndParseBack)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.type) + " " + c.text);
        const TypeRecord& type = Type(c.type);
        EXPECT_EQ(FormatValue(type, Hex(c.bytes), c.bigEndian, c.radix), QLatin1String(c.text));
        int32_t radix = 0;
        EXPECT_EQ(ParseValue(type, QLatin1String(c.text), c.bigEndian, &radix), std::optional(Hex(c.bytes)));
    }
}

TEST_P(MoretypesLocaleTest, TextsThatDoNotFitAreRefused)
{
    for (const auto& [name, text] : kRefused)
        EXPECT_EQ(ParseValue(Type(name), QLatin1String(text)), std::nullopt) << name << " \"" << text << '"';
}

TEST_P(MoretypesLocaleTest, PlainFormsAreTakenAndReportTheirRadix)
{
    for (const Typed& t : kTyped) {
        int32_t radix = 0;
        EXPECT_EQ(ParseValue(Type(t.type), QLatin1String(t.text), t.bigEndian, &radix), std::optional(Hex(t.bytes)))
            << t.type << " \"" << t.text << '"';
        EXPECT_EQ(radix, t.radix) << t.type << " \"" << t.text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, MoretypesLocaleTest, ::testing::Values("C", "en_US", "de_DE"));

TEST(Moretypes, RegistersElevenTypesWithIntegerValuesOnlyFor24BitIntegers)
{
    const LoadedTypes& types = Moretypes();
    QStringList names;
    for (const TypeRecord& type : types.records) {
        names << QString::fromUtf16(type.name);
        const bool isInteger = names.last().endsWith(QLatin1String("Int24"));
        EXPECT_EQ(type.toInteger != nullptr, isInteger) << names.last().toStdString();
    }
    EXPECT_EQ(names, QStringList({"Unix Time (32-bit)", "Unix Time (64-bit)", "MS-DOS Date and Time", "GUID",
                                  "Half Float", "BFloat16", "Int24", "UInt24", "Binary Byte", "RGB Color",
                                  "IPv4 Address"}));
    EXPECT_TRUE(types.description.value_or(QString()).startsWith(QLatin1String("Vantrel More Data Type Extensions\r\nVersion 1.00\r\n")));
}

TEST(Moretypes, TwentyFourBitIntegersGiveTheirValueInEitherByteOrder)
{
    const TypeRecord& int24 = Moretypes().Type("Int24");
    const TypeRecord& uint24 = Moretypes().Type("UInt24");
    const uint8_t bytes[] = {0xFE, 0xFF, 0xFF};
    EXPECT_EQ(int24.toInteger(bytes, 0), -2);
    EXPECT_EQ(int24.toInteger(bytes, 1), -65537);
    EXPECT_EQ(uint24.toInteger(bytes, 0), 0xFFFFFE);
    EXPECT_EQ(uint24.toInteger(bytes, 1), 0xFEFFFF);
}

} // namespace
