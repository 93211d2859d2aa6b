// The streaming conversions of Convert.vtx: case, newlines, and the UTF-8 /
// UTF-16 conversions across chunk boundaries.
#include "ConvertFixture.h"
#include "ExternalTool.h"
#include "TestFiles.h"

#include <cctype>
#include <random>

namespace {

using ConvertTextTest = ConvertFixture;

QByteArray AllBytesTwiceAndRandom()
{
    QByteArray data;
    for (int round = 0; round < 2; ++round) {
        for (int b = 0; b < 256; ++b)
            data.append(char(b));
    }
    return data + RandomBytes(3000, 11);
}

QByteArray MapBytes(const QByteArray& data, int (*map)(int))
{
    QByteArray out = data;
    for (char& b : out)
        b = char(map(uint8_t(b)));
    return out;
}

int Toggle(int b) { return std::islower(b) ? std::toupper(b) : std::tolower(b); }

TEST_F(ConvertTextTest, CaseConversionsChangeOnlyAsciiLetters)
{
    // The "C" locale is in effect: only a to z and A to Z have a case.
    const QByteArray data = AllBytesTwiceAndRandom();
    EXPECT_EQ(Convert("Upper Case", data), MapBytes(data, [](int b) { return std::toupper(b); }));
    EXPECT_EQ(Convert("Lower Case", data), MapBytes(data, [](int b) { return std::tolower(b); }));
    EXPECT_EQ(Convert("Toggle Case", data), MapBytes(data, Toggle));
    EXPECT_EQ(Convert("Toggle Case", QByteArray("\x41\x62\xC4")), QByteArray("\x61\x42\xC4"));
}

TEST_F(ConvertTextTest, DosToUnixDropsEveryCarriageReturn)
{
    EXPECT_EQ(Convert("DOS Newlines to UNIX Newlines", QByteArray("\r\r\n")), QByteArray("\n"));
    EXPECT_EQ(Convert("DOS Newlines to UNIX Newlines", QByteArray("\r")), QByteArray());
    EXPECT_EQ(Convert("DOS Newlines to UNIX Newlines", QByteArray("a\rb\r\nc")), QByteArray("ab\nc"));
    QByteArray data = RandomBytes(5000, 12);
    for (int i = 0; i < data.size(); i += 7)
        data[i] = i % 2 ? '\r' : '\n';
    EXPECT_EQ(Convert("DOS Newlines to UNIX Newlines", data), QByteArray(data).replace("\r", ""));
}

TEST_F(ConvertTextTest, UnixToDosPutsACarriageReturnBeforeEveryLineFeed)
{
    EXPECT_EQ(Convert("UNIX Newlines to DOS Newlines", QByteArray("\r\n")), QByteArray("\r\r\n"));
    EXPECT_EQ(Convert("UNIX Newlines to DOS Newlines", QByteArray("a\nb\n")), QByteArray("a\r\nb\r\n"));
    // A chunk of line feeds only doubles in size.
    EXPECT_EQ(Convert("UNIX Newlines to DOS Newlines", QByteArray(3000, '\n')), QByteArray(3000, '\n').replace("\n", "\r\n"));
    QByteArray data = RandomBytes(5000, 13);
    for (int i = 0; i < data.size(); i += 5)
        data[i] = i % 3 ? '\n' : '\r';
    EXPECT_EQ(Convert("UNIX Newlines to DOS Newlines", data), QByteArray(data).replace("\n", "\r\n"));
}

// Text of one-, two-, three- and four-byte UTF-8 characters.
QString RandomText(int characters, unsigned seed)
{
    std::mt19937 rng(seed);
    QString text;
    for (int i = 0; i < characters; ++i) {
        char32_t c = 0;
        switch (rng() % 4) {
        case 0: c = 0x20 + rng() % 0x5F; break;
        case 1: c = 0x80 + rng() % (0x800 - 0x80); break;
        case 2:
            do
                c = 0x800 + rng() % (0x10000 - 0x800);
            while (c >= 0xD800 && c <= 0xDFFF);
            break;
        default: c = 0x10000 + rng() % (0x110000 - 0x10000); break;
        }
        text += QString::fromUcs4(&c, 1);
    }
    return text;
}

TEST_F(ConvertTextTest, AnsiToUnicodeKeepsCharactersSplitBetweenChunks)
{
    // Shifting the text by up to three bytes puts every kind of character
    // across the 512-byte read boundaries somewhere.
    for (int shift = 0; shift < 4; ++shift) {
        SCOPED_TRACE(shift);
        const QString text = QString(shift, QLatin1Char('s')) + RandomText(3000, 20u + unsigned(shift));
        EXPECT_EQ(Convert("ANSI to Unicode", text.toUtf8()), Utf16Le(text));
    }
}

TEST_F(ConvertTextTest, AnsiToUnicodeCharacterCutAtEveryPointOfTheBoundary)
{
    for (const QString& character : {QStringLiteral("é"), QStringLiteral("€"), QString::fromUcs4(U"\U0001F600", 1)}) {
        const int length = int(character.toUtf8().size());
        for (int inFirstChunk = 1; inFirstChunk < length; ++inFirstChunk) {
            SCOPED_TRACE(inFirstChunk);
            // With three bytes of the emoji in the first chunk the second
            // gives 513 units: the pair and 511 letters.
            const QString text = QString(512 - inFirstChunk, QLatin1Char('a')) + character + QString(511, QLatin1Char('b'));
            EXPECT_EQ(Convert("ANSI to Unicode", text.toUtf8()), Utf16Le(text));
        }
    }
}

struct IllFormed {
    QByteArray bytes;
    QString text;
};

// Each maximal ill-formed subsequence becomes one U+FFFD.
const IllFormed kIllFormed[] = {
    {QByteArray("\xC0\xAF"), QStringLiteral("\uFFFD\uFFFD")},
    {QByteArray("\xE2\x82"), QStringLiteral("\uFFFD")},
    {QByteArray("\xE2\x82" "A"), QStringLiteral("\uFFFDA")},
    {QByteArray("\xF0\x90\x80\xE2\x82\xAC"), QStringLiteral("\uFFFD\u20AC")},
    {QByteArray("\xED\xA0\x80"), QStringLiteral("\uFFFD\uFFFD\uFFFD")},
    {QByteArray("\xF4\x90\x80\x80"), QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD")},
    {QByteArray("\xFF\x80"), QStringLiteral("\uFFFD\uFFFD")},
    {QByteArray("\xEF\xBB\xBF"), QStringLiteral("\uFEFF")}, // a byte-order mark is kept
};

TEST_F(ConvertTextTest, AnsiToUnicodeReplacesIllFormedBytesAlsoAcrossTheBoundary)
{
    for (const IllFormed& v : kIllFormed) {
        SCOPED_TRACE(v.bytes.toHex().toStdString());
        EXPECT_EQ(Convert("ANSI to Unicode", v.bytes), Utf16Le(v.text));
        for (int before = 509; before <= 511; ++before) {
            const QByteArray letters(before, 'a');
            EXPECT_EQ(Convert("ANSI to Unicode", letters + v.bytes + "z"),
                      Utf16Le(QString::fromLatin1(letters) + v.text + QLatin1Char('z')));
        }
    }
}

// Python's decoder replaces ill-formed input the way the Unicode standard
// recommends; random bytes must come out the same, whatever the chunks.
TEST_F(ConvertTextTest, AnsiToUnicodeOfRandomBytesMatchesPython)
{
    if (!ToolExists(QStringLiteral("python3")))
        GTEST_SKIP() << "python3 not found";
    std::mt19937 rng(30);
    QByteArray data;
    for (int i = 0; i < 6000; ++i) {
        // Mostly lead and continuation bytes, so sequences form and break.
        const uint32_t r = rng();
        data.append(char(r % 4 == 0 ? r >> 8 & 0x7F : 0x80 + (r >> 8) % 0x78));
    }
    const QString path = runner_.Path(QStringLiteral("random.bin"));
    WriteWholeFile(path, data);
    const QByteArray expected = RunTool(
        QStringLiteral("python3"),
        {QStringLiteral("-c"),
         QStringLiteral("import sys; sys.stdout.buffer.write(open(sys.argv[1],'rb').read().decode('utf-8','replace').encode('utf-16-le'))"),
         path});
    EXPECT_EQ(Convert("ANSI to Unicode", data), expected);
}

TEST_F(ConvertTextTest, UnicodeToAnsiKeepsSurrogatePairsSplitBetweenChunks)
{
    for (int shift = 0; shift < 3; ++shift) {
        SCOPED_TRACE(shift);
        const QString text = QString(shift, QLatin1Char('s')) + RandomText(3000, 40u + unsigned(shift));
        EXPECT_EQ(Convert("Unicode to ANSI", Utf16Le(text)), text.toUtf8());
    }
    const QString split = QString(511, QLatin1Char('a')) + QString::fromUcs4(U"\U0001F600", 1) + QStringLiteral("b");
    EXPECT_EQ(Convert("Unicode to ANSI", Utf16Le(split)), split.toUtf8());
}

TEST_F(ConvertTextTest, UnicodeToAnsiOutputMayExceedTheChunk)
{
    // 512 units of a three-byte character fill 1536 bytes per chunk.
    const QString text(2000, QChar(0x4E2D));
    EXPECT_EQ(Convert("Unicode to ANSI", Utf16Le(text)), text.toUtf8());
}

TEST_F(ConvertTextTest, UnicodeToAnsiWritesLoneSurrogatesAsQuestionMarks)
{
    const QChar high(0xD83D);
    const QChar low(0xDE00);
    EXPECT_EQ(Convert("Unicode to ANSI", Utf16Le(QString(low) + QStringLiteral("A"))), QByteArray("?A"));
    EXPECT_EQ(Convert("Unicode to ANSI", Utf16Le(QString(high) + QStringLiteral("A"))), QByteArray("?A"));
    EXPECT_EQ(Convert("Unicode to ANSI", Utf16Le(QStringLiteral("A") + high)), QByteArray("A?"));
    EXPECT_EQ(Convert("Unicode to ANSI", Utf16Le(QString(high) + high + low)), QByteArray("?\xF0\x9F\x98\x80"));
    // A high surrogate that ends one chunk and finds no low one in the next.
    const QString text = QString(511, QLatin1Char('a')) + high + QStringLiteral("A");
    EXPECT_EQ(Convert("Unicode to ANSI", Utf16Le(text)), QByteArray(511, 'a') + "?A");
}

TEST_F(ConvertTextTest, UnicodeToAnsiDropsAnOddLastByte)
{
    EXPECT_EQ(Convert("Unicode to ANSI", QByteArray("A\0B", 3)), QByteArray("A"));
    EXPECT_EQ(Convert("Unicode to ANSI", QByteArray("A")), QByteArray());
}

TEST_F(ConvertTextTest, AnsiUnicodeRoundTripGivesTheTextBack)
{
    const QByteArray utf8 = RandomText(5000, 50).toUtf8();
    EXPECT_EQ(Convert("Unicode to ANSI", Convert("ANSI to Unicode", utf8)), utf8);
}

} // namespace
