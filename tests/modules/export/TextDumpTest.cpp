// The text dump: rows aligned to the file, blanks before the selection,
// groups, the dash, offsets and the character column.
#include "ExportTestSupport.h"

#include "TestFiles.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray Sequence(int count, int first = 0)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(first + i));
    return bytes;
}

QByteArray TextDump(const QByteArray& input, const ViewSettings& view = {})
{
    ExportRunner runner;
    const ExportOutcome outcome = runner.Export(QStringLiteral("Text Files"), input, view);
    EXPECT_EQ(outcome.result, 0u);
    return outcome.output;
}

} // namespace

TEST(TextDump, WritesAFullRowLikeTheView)
{
    EXPECT_EQ(TextDump(Sequence(16)),
              "00000000  00 01 02 03 04 05 06 07-08 09 0A 0B 0C 0D 0E 0F  ................\r\n");
}

TEST(TextDump, AlignsRowsToTheFileAndBlanksPositionsBeforeTheSelection)
{
    ViewSettings view;
    view.offset = 0x13;
    EXPECT_EQ(TextDump("ABCDEFGHIJKLMNOPQRS", view),
              "00000010           41 42 43 44 45-46 47 48 49 4A 4B 4C 4D     ABCDEFGHIJKLM\r\n"
              "00000020  " + Padded("4E 4F 50 51 52 53", 47) + "  " + Padded("NOPQRS", 16) + "\r\n");
}

TEST(TextDump, LeavesTheDashOutWhenTheSelectionStartsAfterIt)
{
    // The blank byte before the middle takes its separator with it.
    ViewSettings view;
    view.offset = 8;
    EXPECT_EQ(TextDump("AB", view), "00000000" + Padded("", 2 + 24) + "41 42" + Padded("", 18 + 2 + 8) + "AB" +
                                        Padded("", 6) + "\r\n");
}

TEST(TextDump, GroupsWithTheDashOnlyWhenTheRowReachesPastTheMiddle)
{
    ViewSettings view;
    view.groupBy = 4;
    EXPECT_EQ(TextDump(Sequence(16), view),
              "00000000  00010203 04050607-08090A0B 0C0D0E0F  ................\r\n");
    EXPECT_EQ(TextDump(Sequence(8), view), "00000000  " + Padded("00010203 04050607", 35) + "  " +
                                               Padded("........", 16) + "\r\n");
    EXPECT_EQ(TextDump(Sequence(9), view), "00000000  " + Padded("00010203 04050607-08", 35) + "  " +
                                               Padded(".........", 16) + "\r\n");
    view.showDash = 0;
    EXPECT_EQ(TextDump(Sequence(16), view),
              "00000000  00010203 04050607 08090A0B 0C0D0E0F  ................\r\n");
}

TEST(TextDump, OneGroupPerRowHasNoDash)
{
    ViewSettings view;
    view.bytesPerRow = 8;
    view.groupBy = 8;
    EXPECT_EQ(TextDump(Sequence(10, 0x41), view),
              "00000000  4142434445464748  ABCDEFGH\r\n"
              "00000008  " + Padded("494A", 16) + "  IJ      \r\n");
}

TEST(TextDump, WritesDecimalOffsetsWithTenDigits)
{
    ViewSettings view;
    view.offset = 100;
    view.offsetRadix = 10;
    view.columns = 0;
    EXPECT_EQ(TextDump(Sequence(20), view), "0000000096\r\n0000000112\r\n");
    view.offsetRadix = 16;
    EXPECT_EQ(TextDump(Sequence(20), view), "00000060\r\n00000070\r\n");
}

TEST(TextDump, ShowsOnlyTheChosenColumns)
{
    ViewSettings view;
    view.bytesPerRow = 4;
    view.columns = 1;
    EXPECT_EQ(TextDump("ABCDE", view), "00000000  41 42-43 44\r\n00000004  45         \r\n");
    view.columns = 2;
    EXPECT_EQ(TextDump("ABCDE", view), "00000000  ABCD\r\n00000004  E   \r\n");
}

TEST(TextDump, ShowsControlCodesAsDotsAndHighCodesOnlyWithAllCharacters)
{
    const QByteArray input("\x00\x1F\x20\x41\x7E\x7F\x80\xE9\xFF", 9);
    ViewSettings view;
    view.bytesPerRow = 9;
    view.columns = 2;
    EXPECT_EQ(TextDump(input, view), "00000000  .. A~....\r\n");
    view.showAllChars = 1;
    // Codes 128 to 255 are the characters U+0080 to U+00FF, in UTF-8.
    EXPECT_EQ(TextDump(input, view), "00000000  .. A~\x7F\xC2\x80\xC3\xA9\xC3\xBF\r\n");
}

TEST(TextDump, EmptyInputGivesAnEmptyFile)
{
    ExportRunner runner;
    const ExportOutcome outcome = runner.Export(QStringLiteral("Text Files"), QByteArray());
    EXPECT_EQ(outcome.result, 0u);
    EXPECT_TRUE(QFile::exists(runner.Path("output1.txt")));
    EXPECT_TRUE(outcome.output.isEmpty());
}

TEST(TextDump, RowsStayWholeAcrossReadBlocks)
{
    // Larger than the module's read block, with a row width that does not
    // divide it and a selection that starts inside a row.
    const QByteArray input = RandomBytes(3 * 1024 * 1024 + 17, 5);
    ViewSettings view;
    view.bytesPerRow = 24;
    view.offset = 7;
    view.columns = 1;
    const QList<QByteArray> lines = TextDump(input, view).split('\n');
    ASSERT_EQ(lines.size(), (input.size() + 7 + 23) / 24 + 1);
    EXPECT_TRUE(lines.back().isEmpty());
    QByteArray bytes;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        ASSERT_EQ(lines[i].size(), 8 + 2 + 71 + 1) << "row " << i;
        bytes += QByteArray::fromHex(lines[i].mid(10, 71).replace('-', ' '));
    }
    EXPECT_EQ(bytes, input);
}
