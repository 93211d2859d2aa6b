// Dumps written by the export module and by xxd read back to their bytes.
#include "ImportTestSupport.h"

#include "TestFiles.h"
#include "tests/modules/common/ExternalTool.h"
#include "tests/modules/export/ExportTestSupport.h"

#include <gtest/gtest.h>

namespace {

QByteArray ReimportedDump(const QByteArray& input, const ViewSettings& view)
{
    ExportRunner exporter;
    const ExportOutcome dump = exporter.Export(QStringLiteral("Text Files"), input, view);
    EXPECT_EQ(dump.result, 0u);
    const TaskOutcome back = ImportText(dump.output);
    EXPECT_EQ(back.result, 0u) << dump.output.left(300).toStdString();
    return back.output;
}

} // namespace

TEST(ImportRoundTrip, TextDumpsOfEveryLayoutReadBackToTheirBytes)
{
    // Every byte value, including those whose characters are spaces or hex
    // digits in the character column.
    QByteArray input = RandomBytes(700, 21);
    for (int b = 0; b < 256; ++b)
        input.append(char(b));
    for (int bytesPerRow : {2, 8, 16, 32, 256})
        for (int groupBy : {1, 2, 4, 8})
            for (int offset : {0, 0x13})
                for (int showAllChars : {0, 1}) {
                    if (groupBy > bytesPerRow)
                        continue;
                    ViewSettings view;
                    view.bytesPerRow = bytesPerRow;
                    view.groupBy = groupBy;
                    view.offset = offset;
                    view.showAllChars = showAllChars;
                    view.offsetRadix = offset ? 10 : 16;
                    view.columns = showAllChars ? 3 : 1;
                    view.showDash = groupBy != 2;
                    SCOPED_TRACE(testing::Message() << bytesPerRow << " per row, groups of " << groupBy
                                                    << ", offset " << offset << ", all chars " << showAllChars);
                    EXPECT_EQ(ReimportedDump(input, view), input);
                }
}

TEST(ImportRoundTrip, LargeTextDumpReadsBackAcrossBufferBoundaries)
{
    const QByteArray input = RandomBytes(3 * 1024 * 1024 + 11, 22);
    EXPECT_EQ(ReimportedDump(input, ViewSettings()), input);
}

TEST(ImportRoundTrip, XxdPlainDumpsReadBackToTheirBytes)
{
    if (!ToolExists(QStringLiteral("xxd")))
        GTEST_SKIP() << "xxd is not installed";
    for (int size : {1, 30, 31, 1000, 2 * 1024 * 1024 + 3}) {
        SCOPED_TRACE(size);
        const QByteArray input = RandomBytes(size, unsigned(size));
        const TaskOutcome plain = ImportText(RunTool(QStringLiteral("xxd"), {QStringLiteral("-p")}, input));
        EXPECT_EQ(plain.result, 0u);
        EXPECT_EQ(plain.output, input);
    }
    // The longest lines xxd writes in plain mode.
    const QByteArray input = RandomBytes(5000, 23);
    const TaskOutcome wide =
        ImportText(RunTool(QStringLiteral("xxd"), {QStringLiteral("-p"), QStringLiteral("-c"), QStringLiteral("256")},
                           input));
    EXPECT_EQ(wide.result, 0u);
    EXPECT_EQ(wide.output, input);
}
