// Uuencode and uudecode in Convert.vtx: the line format, text written by
// other encoders, and failures.
#include "ConvertFixture.h"
#include "ExternalTool.h"
#include "MessageRecorder.h"
#include "TestFiles.h"

#include <QFile>

namespace {

using ConvertUuTest = ConvertFixture;

TEST_F(ConvertUuTest, EncodesLinesOf45BytesWithBackquotesForZero)
{
    const QByteArray zeros = Convert("UUEncode Data", QByteArray(45, '\0'));
    EXPECT_EQ(zeros, "M" + QByteArray(60, '`') + "\r\n");

    const QByteArray text = Convert("UUEncode Data", RandomBytes(100, 4));
    const QList<QByteArray> lines = text.split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0].size(), 62); // "M", 60 characters and CR
    EXPECT_EQ(lines[1].size(), 62);
    EXPECT_EQ(lines[2].size(), 18); // 10 bytes: the length, four groups and CR
    EXPECT_TRUE(lines[2].endsWith('\r'));
    EXPECT_EQ(lines[2][0], char(32 + 10));
    EXPECT_EQ(lines[3], QByteArray());
    for (char c : text) {
        if (c != '\r' && c != '\n') {
            EXPECT_GE(uint8_t(c), 33);
            EXPECT_LE(uint8_t(c), 96);
        }
    }
    // "Cat" is the classic example; a short group is completed with spaces.
    EXPECT_EQ(Convert("UUEncode Data", QByteArray("Cat")), QByteArray("#0V%T\r\n"));
    EXPECT_EQ(Convert("UUEncode Data", QByteArray("A")), QByteArray("!02`@\r\n"));
}

TEST_F(ConvertUuTest, RandomDataSurvivesEncodeAndDecode)
{
    const RegisteredTask& exportTask = Module().Task(TASK_EXPORT, QStringLiteral("UUEncode Files"));
    const RegisteredTask& importTask = Module().Task(TASK_IMPORT, QStringLiteral("UUEncode Files"));
    for (int size : {1, 2, 3, 44, 45, 46, 89, 90, 91, 1000, 100000}) {
        SCOPED_TRACE(size);
        const QByteArray data = RandomBytes(size, 300u + unsigned(size));
        EXPECT_EQ(Convert("UUDecode Data", Convert("UUEncode Data", data)), data);
        const TaskOutcome exported = runner_.Run(exportTask, data);
        ASSERT_EQ(exported.result, TASK_RESULT_SUCCESS);
        const TaskOutcome imported = runner_.Run(importTask, exported.output);
        ASSERT_EQ(imported.result, TASK_RESULT_SUCCESS);
        EXPECT_EQ(imported.output, data);
    }
}

// A 37-byte line starts with "E" and a 34-byte one with "B"; data can then
// spell "END" or "BEGIN" in capitals, and must not be taken for a marker.
TEST_F(ConvertUuTest, DataLinesThatSpellMarkersInCapitalsAreDecoded)
{
    QByteArray endLine = RandomBytes(45 + 37, 5);
    endLine[45] = char(0xBA);
    endLine[46] = char(0x40);
    const QByteArray endText = Convert("UUEncode Data", endLine);
    ASSERT_TRUE(endText.mid(63, 3) == "END") << endText.toStdString();
    EXPECT_EQ(Convert("UUDecode Data", endText), endLine);

    QByteArray beginLine = RandomBytes(34, 6);
    beginLine[0] = char(0x96);
    beginLine[1] = char(0x7A);
    beginLine[2] = char(0x6E);
    const QByteArray beginText = Convert("UUEncode Data", beginLine);
    ASSERT_TRUE(beginText.startsWith("BEGIN")) << beginText.toStdString();
    EXPECT_EQ(Convert("UUDecode Data", beginText), beginLine);
}

TEST_F(ConvertUuTest, DecodesTheTraditionalFileWithItsMarkerLines)
{
    EXPECT_EQ(Convert("UUDecode Data", QByteArray("begin 644 cat.txt\n#0V%T\n`\nend\n")), QByteArray("Cat"));
    EXPECT_EQ(Convert("UUDecode Data", QByteArray("BEGIN 644 cat.txt\r\n#0V%T\r\n`\r\nEnd\r\n")), QByteArray("Cat"));
    // Lines may end with CR alone, and empty lines are passed over.
    EXPECT_EQ(Convert("UUDecode Data", QByteArray("begin 600 x\r\r#0V%T\r\r\rEND\r")), QByteArray("Cat"));
    // Spaces for zero, and text after the groups that cover the length.
    EXPECT_EQ(Convert("UUDecode Data", QByteArray("#0V%T  trailing\n\" 0  \n")), QByteArray("Cat\x01\0", 5));
}

TEST_F(ConvertUuTest, TextEndingInsideAGroupCountsTheMissingCharactersAsZero)
{
    EXPECT_EQ(Convert("UUDecode Data", QByteArray("#0V%T")), QByteArray("Cat"));
    EXPECT_EQ(Convert("UUDecode Data", QByteArray("#0V")), QByteArray("C`\0", 3));
    // No group is invented once the text has ended.
    EXPECT_EQ(Convert("UUDecode Data", QByteArray("M")), QByteArray());
}

// Python's binascii writes spaces for zero (or backquotes when asked), LF
// line ends, and pads short groups with zero bytes.
TEST_F(ConvertUuTest, DecodesPythonBinasciiOutput)
{
    if (!ToolExists(QStringLiteral("python3")))
        GTEST_SKIP() << "python3 not found";
    const QByteArray data = RandomBytes(1000, 7) + QByteArray(100, '\0');
    const QString path = runner_.Path(QStringLiteral("data.bin"));
    WriteWholeFile(path, data);
    for (const char* backtick : {"False", "True"}) {
        SCOPED_TRACE(backtick);
        const QString script = QStringLiteral(
                                   "import binascii, sys\n"
                                   "d = open(sys.argv[1], 'rb').read()\n"
                                   "out = sys.stdout.buffer\n"
                                   "out.write(b'begin 644 data.bin\\n')\n"
                                   "for i in range(0, len(d), 45):\n"
                                   "    out.write(binascii.b2a_uu(d[i:i+45], backtick=%1))\n"
                                   "out.write(b'`\\nend\\n')\n")
                                   .arg(QLatin1String(backtick));
        const QByteArray text = RunTool(QStringLiteral("python3"), {QStringLiteral("-c"), script, path});
        ASSERT_TRUE(text.startsWith("begin 644"));
        EXPECT_EQ(Convert("UUDecode Data", text), data);
    }
}

TEST_F(ConvertUuTest, LineShorterThanItsLengthFailsWithTheDecodeMessage)
{
    MessageRecorder messages;
    const QByteArray text = Convert("UUEncode Data", RandomBytes(90, 8));
    QByteArray cut = text;
    cut.remove(30, 4); // the first line loses a group
    const TaskOutcome outcome = runner_.Run(Conversion("UUDecode Data"), cut);
    EXPECT_EQ(outcome.result, TASK_RESULT_REPORTED);
    EXPECT_FALSE(outcome.outputExists);
    ASSERT_EQ(messages.Count(), 1);
    EXPECT_EQ(messages.Messages()[0].text, QStringLiteral("Unable to decode data : Unknown error."));
    EXPECT_EQ(messages.Messages()[0].caption, QStringLiteral("Base64 Encode Error"));
    EXPECT_EQ(messages.Messages()[0].icon, platform::MsgIcon::Warning);
    EXPECT_EQ(messages.Messages()[0].buttons, platform::MsgButtons::Ok);

    // Also when the line break is a lone CR, and through the import format.
    const TaskOutcome imported = runner_.Run(Module().Task(TASK_IMPORT, QStringLiteral("UUEncode Files")),
                                             QByteArray("#0V\r"));
    EXPECT_EQ(imported.result, TASK_RESULT_REPORTED);
    EXPECT_EQ(messages.Count(), 2);
}

} // namespace
