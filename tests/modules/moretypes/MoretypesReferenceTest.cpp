// The types against independent references: every half float and bfloat16
// bit pattern against Python's struct, decimal texts rounded like Python
// packs them, Unix times against date(1), GUIDs against Python's uuid.
#include "ExternalTool.h"
#include "MoretypesHarness.h"
#include "TestFiles.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray Le16(int value)
{
    const char bytes[] = {char(value & 0xFF), char(value >> 8)};
    return QByteArray(bytes, 2);
}

// Every non-NaN pattern shows as Python's "%g" of its value and reads back to
// itself; NaNs show as "nan" with their sign.
TEST(MoretypesReference, EveryHalfAndBfloat16PatternMatchesPythonAndReadsBack)
{
    const QStringList python = QString::fromLatin1(RunTool("python3", {"-c",
        "import struct\n"
        "for b in range(65536):\n"
        "    h=struct.unpack('<e',struct.pack('<H',b))[0]\n"
        "    f=struct.unpack('<f',struct.pack('<I',b<<16))[0]\n"
        "    print('%g %g'%(h,f))\n"})).split('\n');
    ASSERT_GE(python.size(), 65536);
    const TypeRecord& half = Moretypes().Type("Half Float");
    const TypeRecord& bfloat = Moretypes().Type("BFloat16");
    int failures = 0;
    for (int bits = 0; bits < 65536 && failures < 10; ++bits) {
        const QStringList expected = python[bits].split(' ');
        const QByteArray bytes = Le16(bits);
        for (int which = 0; which < 2; ++which) {
            const TypeRecord& type = which == 0 ? half : bfloat;
            const QString text = FormatValue(type, bytes);
            if (expected[which] == QLatin1String("nan")) {
                const bool negative = bits & 0x8000;
                EXPECT_EQ(text, negative ? QStringLiteral("-nan") : QStringLiteral("nan"));
                continue;
            }
            const bool same = text == expected[which] && ParseValue(type, text) == std::optional(bytes);
            EXPECT_TRUE(same) << (which ? "bfloat16 " : "half ") << std::hex << bits << ": " << text.toStdString()
                              << " vs " << expected[which].toStdString();
            failures += same ? 0 : 1;
        }
    }
}

// Random decimal texts, tiny to huge, rounded as Python's struct.pack('<e')
// rounds them (to nearest, ties to even), which also refuses overflow.
TEST(MoretypesReference, HalfFloatTextsRoundLikePython)
{
    std::mt19937 random(7);
    QStringList texts;
    for (int i = 0; i < 3000; ++i) {
        const double mantissa = std::uniform_real_distribution<double>(-10, 10)(random);
        const int exponent = int(random() % 14) - 9;
        texts << QString::asprintf("%.*fe%d", int(random() % 9), mantissa, exponent);
    }
    const QByteArray input = texts.join('\n').toLatin1();
    const QStringList python = QString::fromLatin1(RunTool("python3", {"-c",
        "import struct,sys\n"
        "for t in sys.stdin.read().split('\\n'):\n"
        "    try:\n"
        "        v=float(t); b=struct.pack('<e',v)\n"
        "        print('-' if v!=0 and struct.unpack('<e',b)[0]==0 else b.hex())\n"
        "    except OverflowError: print('-')\n"}, input)).split('\n');
    ASSERT_GE(python.size(), texts.size());
    const TypeRecord& half = Moretypes().Type("Half Float");
    for (qsizetype i = 0; i < texts.size(); ++i) {
        const std::optional<QByteArray> ours = ParseValue(half, texts[i]);
        const QString expected = python[i];
        EXPECT_EQ(ours ? QString::fromLatin1(ours->toHex()) : QStringLiteral("-"), expected) << texts[i].toStdString();
    }
}

TEST(MoretypesReference, UnixTimesMatchDateAndReadBack)
{
    std::mt19937_64 random(11);
    // Years 1000 to 9999, where date(1) writes four-digit years.
    std::uniform_int_distribution<int64_t> seconds(-30610224000LL, 253402300799LL);
    std::vector<int64_t> samples{0, -1, 86399, 86400, 951782400 /* 2000-02-29 */, 4107542400 /* 2100-03-01 */};
    for (int i = 0; i < 500; ++i)
        samples.push_back(seconds(random));
    QByteArray input;
    for (int64_t s : samples)
        input += "@" + QByteArray::number(qlonglong(s)) + "\n";
    const QStringList expected =
        QString::fromLatin1(RunTool("date", {"-u", "-f", "-", "+%Y-%m-%d %H:%M:%SZ"}, input)).split('\n');
    ASSERT_GE(expected.size(), qsizetype(samples.size()));
    const TypeRecord& unix64 = Moretypes().Type("Unix Time (64-bit)");
    for (size_t i = 0; i < samples.size(); ++i) {
        QByteArray bytes(8, 0);
        for (int b = 0; b < 8; ++b)
            bytes[b] = char(uint64_t(samples[i]) >> (8 * b));
        const QString text = FormatValue(unix64, bytes);
        EXPECT_EQ(text, expected[qsizetype(i)]) << samples[i];
        EXPECT_EQ(ParseValue(unix64, text), std::optional(bytes)) << samples[i];
        EXPECT_EQ(ParseValue(unix64, QString::number(samples[i])), std::optional(bytes)) << samples[i];
    }
}

TEST(MoretypesReference, GuidsMatchPythonUuidInBothLayouts)
{
    const QByteArray bytes = RandomBytes(16 * 50, 5);
    const QStringList python = QString::fromLatin1(RunTool("python3", {"-c",
        "import sys,uuid\n"
        "d=sys.stdin.buffer.read()\n"
        "for i in range(0,len(d),16):\n"
        "    b=d[i:i+16]; print(str(uuid.UUID(bytes_le=b)).upper(), str(uuid.UUID(bytes=b)).upper())\n"}, bytes)).split('\n');
    const TypeRecord& guid = Moretypes().Type("GUID");
    for (int i = 0; i < 50; ++i) {
        const QByteArray value = bytes.mid(16 * i, 16);
        const QStringList expected = python[i].split(' ');
        ASSERT_EQ(expected.size(), 2);
        for (int bigEndian = 0; bigEndian < 2; ++bigEndian) {
            const QString text = FormatValue(guid, value, bigEndian);
            EXPECT_EQ(text, '{' + expected[bigEndian] + '}');
            EXPECT_EQ(ParseValue(guid, text.toLower(), bigEndian), std::optional(value));
        }
    }
}

// Arbitrary text never crashes a parse, never writes past the value (seen
// under AddressSanitizer), and whatever parses shows again as a text that
// parses to the same bytes.
TEST(MoretypesReference, ParsesSurviveArbitraryText)
{
    std::mt19937 random(3);
    static const char16_t kAlphabet[] = u"0123456789abcdefABCDEFxX-+.:# {}TZenainf \t\u00A0";
    for (const TypeRecord& type : Moretypes().records) {
        for (int i = 0; i < 3000; ++i) {
            QString text;
            for (int n = int(random() % 48); n > 0; --n)
                text += random() % 16 == 0 ? QChar(char16_t(1 + random() % 0xFFFF))
                                           : QChar(kAlphabet[random() % (std::size(kAlphabet) - 1)]);
            const std::optional<QByteArray> parsed = ParseValue(type, text);
            if (!parsed)
                continue;
            const QString shown = FormatValue(type, *parsed);
            const std::optional<QByteArray> again = ParseValue(type, shown);
            ASSERT_TRUE(again.has_value()) << QString::fromUtf16(type.name).toStdString() << ": " << shown.toStdString();
            // NaN payloads are not kept; every other value is.
            if (!shown.endsWith(QLatin1String("nan"))) {
                EXPECT_EQ(*again, *parsed) << QString::fromUtf16(type.name).toStdString() << ": " << text.toStdString();
            }
        }
    }
}

} // namespace
