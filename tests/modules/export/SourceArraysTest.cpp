// The C array and the assembly declaration; the C array is compiled by the
// system's C compiler and must give back the input bytes.
#include "ExportTestSupport.h"

#include "TestFiles.h"
#include "tests/modules/common/ExternalTool.h"

#include <gtest/gtest.h>

namespace {

QByteArray Sequence(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes.append(char(i));
    return bytes;
}

QByteArray Exported(const QString& name, const QByteArray& input)
{
    ExportRunner runner;
    const ExportOutcome outcome = runner.Export(name, input);
    EXPECT_EQ(outcome.result, 0u);
    return outcome.output;
}

} // namespace

TEST(CArray, SixteenValuesPerLineWithACommaWhenMoreFollow)
{
    EXPECT_EQ(Exported(QStringLiteral("C Source Files"), Sequence(17)),
              "static BYTE Data[] = {\r\n"
              "\t0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f,\r\n"
              "\t0x10\r\n"
              "};\r\n");
    EXPECT_EQ(Exported(QStringLiteral("C Source Files"), Sequence(16)),
              "static BYTE Data[] = {\r\n"
              "\t0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f\r\n"
              "};\r\n");
    EXPECT_EQ(Exported(QStringLiteral("C Source Files"), QByteArray()), "static BYTE Data[] = {\r\n};\r\n");
}

TEST(CArray, TheCommaRuleHoldsAcrossReadBlocks)
{
    const QByteArray input = RandomBytes(1024 * 1024 + 16 * 3 + 5, 3);
    const QList<QByteArray> lines = Exported(QStringLiteral("C Source Files"), input).split('\n');
    const qsizetype dataLines = (input.size() + 15) / 16;
    ASSERT_EQ(lines.size(), dataLines + 3);
    QByteArray bytes;
    for (qsizetype i = 1; i <= dataLines; ++i) {
        const bool last = i == dataLines;
        ASSERT_EQ(lines[i].endsWith(",\r"), !last) << "line " << i;
        for (const QByteArray& value : lines[i].trimmed().split(','))
            if (!value.trimmed().isEmpty())
                bytes.append(char(value.trimmed().toInt(nullptr, 16)));
    }
    EXPECT_EQ(bytes, input);
}

TEST(CArray, CompilesToTheInputBytes)
{
    if (!ToolExists(QStringLiteral("cc")))
        GTEST_SKIP() << "no C compiler";
    QTemporaryDir dir;
    QByteArray input = RandomBytes(4099, 9);
    input[0] = '\0';
    input[1] = char(0xFF);
    WriteWholeFile(dir.filePath("data.c"), Exported(QStringLiteral("C Source Files"), input));
    WriteWholeFile(dir.filePath("main.c"), "#include <stdio.h>\n"
                                           "typedef unsigned char BYTE;\n"
                                           "#include \"data.c\"\n"
                                           "int main(void)\n"
                                           "{\n"
                                           "    return fwrite(Data, 1, sizeof Data, stdout) == sizeof Data ? 0 : 1;\n"
                                           "}\n");
    const QString program = dir.filePath("data-dump");
    RunTool(QStringLiteral("cc"), {QStringLiteral("-std=c99"), QStringLiteral("-Wall"), QStringLiteral("-Werror"),
                                   QStringLiteral("-o"), program, dir.filePath("main.c")});
    EXPECT_EQ(RunTool(program, {}), input);
}

TEST(Assembly, LabelThenDbLinesOfSixteenValues)
{
    EXPECT_EQ(Exported(QStringLiteral("Assembly Source Files"), Sequence(17)),
              "Data\tDB\t000h, 001h, 002h, 003h, 004h, 005h, 006h, 007h, 008h, 009h, 00ah, 00bh, 00ch, 00dh, 00eh, "
              "00fh\r\n"
              "\tDB\t010h\r\n");
    EXPECT_EQ(Exported(QStringLiteral("Assembly Source Files"), QByteArray("\xAB\xFF", 2)), "Data\tDB\t0abh, 0ffh\r\n");
    EXPECT_EQ(Exported(QStringLiteral("Assembly Source Files"), QByteArray()), "Data");
}
