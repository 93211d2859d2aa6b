// Base64 in Convert.vtx, against coreutils base64 and through round trips.
#include "ConvertFixture.h"
#include "ExternalTool.h"
#include "TestFiles.h"

namespace {

using ConvertBase64Test = ConvertFixture;

// coreutils wraps at 76 with LF and always ends with a line break; ours
// separates lines with CR LF and ends with one only after a full line.
QByteArray CoreutilsBase64(const QString& path, int size)
{
    QByteArray text = RunTool(QStringLiteral("base64"), {QStringLiteral("-w"), QStringLiteral("76"), path});
    text.replace("\n", "\r\n");
    if (size % 57 != 0 && text.endsWith("\r\n"))
        text.chop(2);
    return text;
}

const int kSizes[] = {0, 1, 2, 3, 4, 56, 57, 58, 59, 113, 114, 115, 171, 1000, 100000};

TEST_F(ConvertBase64Test, EncodingMatchesCoreutils)
{
    for (int size : kSizes) {
        SCOPED_TRACE(size);
        const QByteArray data = RandomBytes(size, 100u + unsigned(size));
        const QString path = runner_.Path(QStringLiteral("data%1.bin").arg(size));
        WriteWholeFile(path, data);
        EXPECT_EQ(Convert("Base64 Encode Data", data), CoreutilsBase64(path, size));
    }
}

TEST_F(ConvertBase64Test, LinesHold76CharactersAndOnlyAFullLastLineEndsWithCrLf)
{
    const QByteArray line57 = Convert("Base64 Encode Data", RandomBytes(57, 1));
    EXPECT_EQ(line57.size(), 78);
    EXPECT_TRUE(line57.endsWith("\r\n"));

    const QByteArray line58 = Convert("Base64 Encode Data", RandomBytes(58, 1));
    ASSERT_EQ(line58.size(), 78 + 4);
    EXPECT_EQ(line58.mid(76, 2), QByteArray("\r\n"));
    EXPECT_TRUE(line58.endsWith("=="));

    const QByteArray lines = Convert("Base64 Encode Data", RandomBytes(57 * 3 + 2, 2));
    const QList<QByteArray> split = lines.split('\n');
    ASSERT_EQ(split.size(), 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(split[i].size(), 77) << i; // 76 and the CR
        EXPECT_TRUE(split[i].endsWith('\r'));
    }
    EXPECT_EQ(split[3], Convert("Base64 Encode Data", RandomBytes(57 * 3 + 2, 2).right(2)));
    EXPECT_EQ(Convert("Base64 Encode Data", QByteArray("M")), QByteArray("TQ=="));
    EXPECT_EQ(Convert("Base64 Encode Data", QByteArray("Ma")), QByteArray("TWE="));
    EXPECT_EQ(Convert("Base64 Encode Data", QByteArray("Man")), QByteArray("TWFu"));
}

TEST_F(ConvertBase64Test, DecodingIgnoresLineBreaksAtAnyWidthAndPadding)
{
    const QByteArray data = RandomBytes(1000, 3);
    const QString path = runner_.Path(QStringLiteral("data.bin"));
    WriteWholeFile(path, data);
    for (const char* width : {"0", "1", "10", "64", "76"}) {
        SCOPED_TRACE(width);
        const QByteArray text = RunTool(QStringLiteral("base64"), {QStringLiteral("-w"), QString::fromLatin1(width), path});
        EXPECT_EQ(Convert("Base64 Decode Data", text), data);
    }
}

TEST_F(ConvertBase64Test, DecodingSkipsForeignCharactersAndKeepsWholeBytesOnly)
{
    EXPECT_EQ(Convert("Base64 Decode Data", QByteArray(" T\tW*F\r\nu ")), QByteArray("Man"));
    EXPECT_EQ(Convert("Base64 Decode Data", QByteArray("TWE")), QByteArray("Ma"));
    EXPECT_EQ(Convert("Base64 Decode Data", QByteArray("TQ")), QByteArray("M"));
    EXPECT_EQ(Convert("Base64 Decode Data", QByteArray("T")), QByteArray());
    EXPECT_EQ(Convert("Base64 Decode Data", QByteArray("!!\x80\xFF===")), QByteArray());
}

TEST_F(ConvertBase64Test, RandomDataSurvivesEncodeAndDecode)
{
    const RegisteredTask& exportTask = Module().Task(TASK_EXPORT, QStringLiteral("Base64 Files"));
    const RegisteredTask& importTask = Module().Task(TASK_IMPORT, QStringLiteral("Base64 Files"));
    for (int size : kSizes) {
        SCOPED_TRACE(size);
        const QByteArray data = RandomBytes(size, 200u + unsigned(size));
        EXPECT_EQ(Convert("Base64 Decode Data", Convert("Base64 Encode Data", data)), data);
        // The file formats run the same code through the export and import kinds.
        const TaskOutcome exported = runner_.Run(exportTask, data);
        ASSERT_EQ(exported.result, TASK_RESULT_SUCCESS);
        const TaskOutcome imported = runner_.Run(importTask, exported.output);
        ASSERT_EQ(imported.result, TASK_RESULT_SUCCESS);
        EXPECT_EQ(imported.output, data);
    }
}

} // namespace
