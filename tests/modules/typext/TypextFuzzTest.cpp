// Every format and parse function over random and cut-off input, in every
// test locale: no crash, no write past the record's sizes (seen under
// AddressSanitizer), always a terminated text, and what a date type parses
// successfully it can show again.
#include "TypextLocales.h"

#include <random>

namespace {

// Random characters from an alphabet of digits, separators, spaces and
// day halves, with some arbitrary code units (lone surrogates included).
QString RandomText(std::mt19937& random)
{
    static const char16_t kAlphabet[] = u"0123456789/-.:; \t,AaMmPp\u00A0\u3000\u200Fxyz";
    const int length = int(random() % 40);
    QString text;
    for (int i = 0; i < length; ++i) {
        char16_t c = kAlphabet[random() % (std::size(kAlphabet) - 1)];
        if (random() % 10 == 0)
            c = char16_t(1 + random() % 0xFFFF);
        text += QChar(c);
    }
    return text;
}

// A valid text of the locale with a few characters changed, inserted or cut.
QString MutatedText(std::mt19937& random, const LocaleCase& locale)
{
    const char* seeds[] = {locale.systemTimeMs, locale.fileTime2000, locale.leapDay2000, locale.afternoon,
                           locale.oleNoon2000,  locale.oleBefore1899, locale.dosDate2107};
    QString text = QString::fromLatin1(seeds[random() % std::size(seeds)]);
    const QString pieces = QStringLiteral("0123456789/-.: APM");
    for (int edits = int(random() % 3); edits > 0 && !text.isEmpty(); --edits) {
        const qsizetype at = qsizetype(random() % uint32_t(text.size()));
        switch (random() % 3) {
        case 0: text[at] = pieces[qsizetype(random() % uint32_t(pieces.size()))]; break;
        case 1: text.insert(at, pieces[qsizetype(random() % uint32_t(pieces.size()))]); break;
        default: text.truncate(at); break;
        }
    }
    return text;
}

QByteArray RandomBytes(std::mt19937& random, int size)
{
    QByteArray bytes(size, '\0');
    for (char& b : bytes)
        b = char(random());
    return bytes;
}

} // namespace

using TypextFuzz = TypextLocaleTest;

TEST_P(TypextFuzz, RandomTextNeverBreaksAParse)
{
    std::mt19937 random(11);
    int parsedDates = 0;
    for (int i = 0; i < 4000; ++i) {
        const QString text = i % 2 ? RandomText(random) : MutatedText(random, GetParam());
        const bool big = i % 4 < 2;
        for (const TypeRecord& type : TypextModule::Get().Records()) {
            const std::optional<QByteArray> bytes = ParseValue(type, text, big);
            if (bytes && type.size > 1 && type.toInteger == nullptr) {
                EXPECT_NE(FormatValue(type, *bytes, big), "<Invalid>") << text.toStdString();
                ++parsedDates;
            }
        }
    }
    // The mutated texts keep a fair share of dates and times valid.
    EXPECT_GT(parsedDates, 1000);
}

TEST_P(TypextFuzz, RandomBytesAlwaysGiveATerminatedTextThatParsesBack)
{
    std::mt19937 random(13);
    const char* roundTripping[] = {"MS-DOS Date", "MS-DOS Time"};
    for (int i = 0; i < 3000; ++i) {
        for (const TypeRecord& type : TypextModule::Get().Records()) {
            const QString text = FormatValue(type, RandomBytes(random, type.size), i % 2);
            EXPECT_FALSE(text.isEmpty());
        }
        for (const char* name : roundTripping) {
            const QByteArray bytes = RandomBytes(random, 2);
            const QString text = FormatValue(Type(name), bytes);
            if (text == "<Invalid>")
                continue;
            const std::optional<QByteArray> back = ParseValue(Type(name), text);
            ASSERT_TRUE(back.has_value()) << name << ' ' << text.toStdString();
            EXPECT_EQ(FormatValue(Type(name), *back), text);
        }
        // FILETIME values up to the year 30600 come back to the millisecond.
        QByteArray ticks = RandomBytes(random, 8);
        ticks[7] = char(uint8_t(ticks[7]) % 0x7F);
        const QString text = FormatValue(Type("FILETIME"), ticks);
        const std::optional<QByteArray> back = ParseValue(Type("FILETIME"), text);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        EXPECT_EQ(FormatValue(Type("FILETIME"), *back), text);
    }
}

INSTANTIATE_TEST_SUITE_P(Locales, TypextFuzz, testing::ValuesIn(kLocaleCases), LocaleName);
