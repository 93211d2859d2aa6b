// Convert.vtx: its fifteen records and the result codes of failing file
// access, for every handler.
#include "ConvertFixture.h"
#include "MessageRecorder.h"
#include "TestFiles.h"

#include <QFile>
#include <QStringList>

namespace {

using ConvertModuleTest = ConvertFixture;

struct ExpectedRecord {
    uint32_t kind;
    const char* name;
    const char* description;
    const char* filter;
};

const ExpectedRecord kRecords[] = {
    {4, "Upper Case", "Convert characters to upper case", nullptr},
    {4, "Lower Case", "Convert characters to lower case", nullptr},
    {4, "Toggle Case", "Toggle the case of each character", nullptr},
    {4, "ANSI to Unicode",
     "Convert ANSI string data to Unicode string data using the Windows API function MultiByteToWideChar", nullptr},
    {4, "Unicode to ANSI",
     "Convert Unicode string data to ANSI string data using the Windows API function WideCharToMultiByte", nullptr},
    {4, "DOS Newlines to UNIX Newlines",
     "Convert DOS newlines (carriage return, line feeds) to UNIX newlines (line feeds)", nullptr},
    {4, "UNIX Newlines to DOS Newlines",
     "Convert UNIX newlines (line feeds) to DOS newlines (carriage return, line feeds)", nullptr},
    {4, "Base64 Encode Data", "Encode data in base64 format", nullptr},
    {4, "Base64 Decode Data", "Decode data that was previously encoded in base64 format", nullptr},
    {4, "UUEncode Data", "Encode data in uuencode format", nullptr},
    {4, "UUDecode Data", "Decode data that was previously encoded in uuencode format", nullptr},
    {1, "Base64 Files", nullptr, "*.txt;*.b64"},
    {1, "UUEncode Files", nullptr, "*.txt;*.uue"},
    {0, "Base64 Files", nullptr, "*.txt"},
    {0, "UUEncode Files", nullptr, "*.txt"},
};

std::optional<QString> Optional(const char* text)
{
    return text ? std::optional<QString>(QString::fromLatin1(text)) : std::nullopt;
}

TEST_F(ConvertModuleTest, RegistersItsFifteenRecordsInOrder)
{
    ASSERT_TRUE(Module().IsLoaded()) << Module().Error().toStdString();
    const auto& tasks = Module().Tasks();
    ASSERT_EQ(tasks.size(), std::size(kRecords));
    for (size_t i = 0; i < tasks.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(tasks[i].kind, kRecords[i].kind);
        EXPECT_EQ(tasks[i].name, QString::fromLatin1(kRecords[i].name));
        EXPECT_EQ(tasks[i].description, Optional(kRecords[i].description));
        EXPECT_EQ(tasks[i].filter, Optional(kRecords[i].filter));
        EXPECT_NE(tasks[i].handler, nullptr);
        EXPECT_EQ(tasks[i].id, 0);
    }
    const QStringList lines = Module().Description().value_or(QString()).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("Vantrel Conversion Extensions"));
    EXPECT_EQ(lines[1], QStringLiteral("Version 1.00"));
    EXPECT_FALSE(lines[2].isEmpty());
}

TEST_F(ConvertModuleTest, ImportAndExportFormatsReuseTheCodecHandlers)
{
    const auto& tasks = Module().Tasks();
    ASSERT_EQ(tasks.size(), 15u);
    EXPECT_EQ(tasks[11].handler, tasks[8].handler);  // base64 decode
    EXPECT_EQ(tasks[12].handler, tasks[10].handler); // uudecode
    EXPECT_EQ(tasks[13].handler, tasks[7].handler);  // base64 encode
    EXPECT_EQ(tasks[14].handler, tasks[9].handler);  // uuencode
}

TEST_F(ConvertModuleTest, MissingInputGivesReadErrorForEveryHandler)
{
    MessageRecorder messages;
    for (const RegisteredTask& task : Module().Tasks()) {
        SCOPED_TRACE(task.name.toStdString());
        const QString output = runner_.Path(QStringLiteral("out.bin"));
        EXPECT_EQ(runner_.RunOnPaths(task, runner_.Path(QStringLiteral("missing.bin")), output),
                  TASK_RESULT_READ_ERROR);
        EXPECT_EQ(runner_.RunOnPaths(task, QString(), output), TASK_RESULT_READ_ERROR);
        EXPECT_EQ(runner_.RunOnPaths(task, runner_.Path(QString()), output), TASK_RESULT_READ_ERROR); // a folder
        QFile::remove(output);
    }
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(ConvertModuleTest, UnwritableOutputGivesWriteErrorForEveryHandler)
{
    MessageRecorder messages;
    const QString input = runner_.Path(QStringLiteral("in.txt"));
    // Valid for every decoder, and long enough to need several chunks.
    QByteArray text;
    for (int i = 0; i < 40; ++i)
        text += "M" + QByteArray(60, 'A') + "\r\n";
    WriteWholeFile(input, text);
    for (const RegisteredTask& task : Module().Tasks()) {
        SCOPED_TRACE(task.name.toStdString());
        EXPECT_EQ(runner_.RunOnPaths(task, input, runner_.Path(QStringLiteral("no/folder/out.bin"))),
                  TASK_RESULT_WRITE_ERROR);
        EXPECT_EQ(runner_.RunOnPaths(task, input, QString()), TASK_RESULT_WRITE_ERROR);
        if (QFile::exists(QStringLiteral("/dev/full"))) {
            EXPECT_EQ(runner_.RunOnPaths(task, input, QStringLiteral("/dev/full")), TASK_RESULT_WRITE_ERROR);
        }
    }
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(ConvertModuleTest, UnreadableInputGivesReadError)
{
    if (!QFile::exists(QStringLiteral("/proc/self/mem")))
        GTEST_SKIP() << "no /proc/self/mem";
    for (const char* name : {"Upper Case", "ANSI to Unicode", "Unicode to ANSI", "UNIX Newlines to DOS Newlines"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(runner_.RunOnPaths(Conversion(name), QStringLiteral("/proc/self/mem"), runner_.Path(QStringLiteral("o"))),
                  TASK_RESULT_READ_ERROR);
    }
}

TEST_F(ConvertModuleTest, EmptyInputGivesEmptyOutputForEveryConversion)
{
    for (const RegisteredTask& task : Module().Tasks()) {
        SCOPED_TRACE(task.name.toStdString());
        const TaskOutcome outcome = runner_.Run(task, QByteArray());
        EXPECT_EQ(outcome.result, TASK_RESULT_SUCCESS);
        EXPECT_TRUE(outcome.outputExists);
        EXPECT_EQ(outcome.output, QByteArray());
    }
}

} // namespace
