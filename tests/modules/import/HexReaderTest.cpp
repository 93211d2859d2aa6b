// The hexadecimal reader: plain and dump layouts, line limits and errors.
#include "ImportTestSupport.h"

#include "MessageRecorder.h"
#include "TestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kNotRecognised = QStringLiteral(
    "Unable to convert source data: Hexadecimal text format was not recognized and could not be interpreted.");
const QString kTooLong =
    QStringLiteral("Input data contains lines that are too long. Please shorten line lengths and try again.");

// Expects the text to spell the bytes, without any message.
void ExpectBytes(const QByteArray& text, const QByteArray& bytes)
{
    MessageRecorder messages;
    const TaskOutcome outcome = ImportText(text);
    EXPECT_EQ(outcome.result, 0u) << text.left(200).toStdString();
    EXPECT_EQ(outcome.output, bytes) << text.left(200).toStdString();
    EXPECT_EQ(messages.Count(), 0);
}

// Expects the reader to refuse the text with one warning.
void ExpectRefused(const QByteArray& text, const QString& message)
{
    MessageRecorder messages;
    EXPECT_EQ(ImportText(text).result, 0x80000000u) << text.left(200).toStdString();
    ASSERT_EQ(messages.Count(), 1) << text.left(200).toStdString();
    EXPECT_EQ(messages.Last(), message);
    EXPECT_EQ(messages.Messages()[0].caption, QStringLiteral("Error"));
    EXPECT_EQ(messages.Messages()[0].icon, platform::MsgIcon::Warning);
}

} // namespace

TEST(HexReader, ReadsPlainHexWithOrWithoutSpacesAndDashes)
{
    ExpectBytes("41 42 43", "ABC");
    ExpectBytes("414243", "ABC");
    ExpectBytes("41-42", "AB");
    ExpectBytes("  \t41 4a 4B\r\n61\n\n\n62 - 63\n", "AJKabc");
}

TEST(HexReader, RefusesLoneDigitsAndOtherCharacters)
{
    ExpectRefused("4 1", kNotRecognised);
    ExpectRefused("41 4", kNotRecognised);
    ExpectRefused("41 4G", kNotRecognised);
    ExpectRefused("0x41", kNotRecognised);
    ExpectRefused("41\n42 x\n", kNotRecognised);
    ExpectRefused("-", kNotRecognised);
}

TEST(HexReader, ReadsTheHexColumnOfADumpAndIgnoresOffsetsAndCharacters)
{
    ExpectBytes("00000000  41 42 43 44-45 46 47 48  ABCDEFGH\r\n", "ABCDEFGH");
    ExpectBytes("00000000  41 42 43 44-45 46 47 48  ABCDEFGH\r\n"
                "00000008  30 31                    01\r\n",
                "ABCDEFGH01");
    // A character column that looks like hex is still the third column.
    ExpectBytes("0000000000  4142  AB\n", "AB");
}

TEST(HexReader, PlainTextIgnoresWhatFollowsADoubleSpace)
{
    ExpectBytes("41 42  hello", "AB");
    ExpectBytes("41 42\t\tworld 99\n43  zz", "ABC");
}

TEST(HexReader, TheFirstLineDecidesTheLayout)
{
    // Plain: the offset-like text of the second line is read as hex.
    ExpectBytes("41 42\n00000000  43", QByteArray("AB\0\0\0\0", 6));
    // Dump: a later line without a second column is an error.
    ExpectRefused("00000000  41 42\n43 44\n", kNotRecognised);
}

TEST(HexReader, RefusesInputWithoutAnyByte)
{
    ExpectRefused("", kNotRecognised);
    ExpectRefused("\n \r\n\t\n", kNotRecognised);
}

TEST(HexReader, IgnoresTextAfterANulInALine)
{
    ExpectBytes(QByteArray("41 42\0garbage zz\n43\n\0", 21), "ABC");
}

TEST(HexReader, AcceptsLinesUpTo4095Characters)
{
    const QByteArray longest = QByteArray(4094 / 2, 'A').toHex().left(4094) + ' ';
    ASSERT_EQ(longest.size(), 4095);
    ExpectBytes(longest + "\r\n" + longest, QByteArray(2047 * 2, char(0x41)));
    ExpectRefused(longest + " \n41", kTooLong);
    ExpectRefused("41\n" + longest + " ", kTooLong);
    ExpectRefused(QByteArray(200000, '4'), kTooLong);
}

TEST(HexReader, KeepsEveryByteOfLinesSpellingMoreThan1024Bytes)
{
    // 2047 bytes per line; enough lines to pass the output buffer's flushes.
    QByteArray text, bytes;
    for (int line = 0; line < 700; ++line) {
        const QByteArray lineBytes = RandomBytes(2047, unsigned(line));
        text += lineBytes.toHex() + "\n";
        bytes += lineBytes;
    }
    ExpectBytes(text, bytes);
}

TEST(HexReader, ReadFailuresAndWriteFailuresAreResultCodes)
{
    MessageRecorder messages;
    TaskRunner runner;
    const RegisteredTask& task = ImportModule().Task(TASK_IMPORT, QStringLiteral("Text Files"));
    EXPECT_EQ(runner.RunOnPaths(task, runner.Path("missing.txt"), runner.Path("out.bin")), 4u);
    EXPECT_FALSE(QFile::exists(runner.Path("out.bin")));
    WriteWholeFile(runner.Path("in.txt"), "41 42");
    EXPECT_EQ(runner.RunOnPaths(task, runner.Path("in.txt"), runner.Path("no/such/dir/out.bin")), 3u);
    if (QFile::exists(QStringLiteral("/dev/full"))) {
        EXPECT_EQ(runner.RunOnPaths(task, runner.Path("in.txt"), QStringLiteral("/dev/full")), 3u);
    }
    EXPECT_EQ(messages.Count(), 0);
}
