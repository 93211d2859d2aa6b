// The window-free parts of the task commands: file-type lists and the export
// extension rule, the remembered positions, the checksum report text, and a
// handler run on a thread of its own whose message reaches the main thread.
#include "ext/BackgroundTaskRun.h"
#include "ext/TaskChoices.h"
#include "ext/TaskFileFilter.h"
#include "ext/TaskTexts.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <atomic>

namespace {

TEST(TaskFileFilterTest, NameFiltersListEveryTaskInOrderWithSpaceSeparatedPatterns)
{
    std::vector<TaskEntry> tasks(3);
    tasks[0].name = "Text Files";
    tasks[0].filter = "*.txt";
    tasks[1].name = "Base64 Files";
    tasks[1].filter = "*.txt;*.b64";
    tasks[2].name = "Anything";
    EXPECT_EQ(TaskNameFilters(tasks),
              (QStringList{"Text Files (*.txt)", "Base64 Files (*.txt *.b64)", "Anything (*)"}));
}

TEST(TaskFileFilterTest, ExportExtensionRule)
{
    struct Case {
        const char* path;
        const char* filter;
        const char* expected;
    };
    const Case cases[] = {
        {"/tmp/out", "*.htm", "/tmp/out.htm"},
        {"/tmp/out.txt", "*.htm", "/tmp/out.txt"},        // an extension is kept as typed
        {"/tmp/a.b/out", "*.c", "/tmp/a.b/out.c"},        // a "." in a folder does not count
        {"/tmp/a.b/out.asm", "*.c", "/tmp/a.b/out.asm"},
        {"out", "*.txt;*.b64", "out.txt"},                // only the first pattern
        {"out", "*.*", "out"},                            // "." followed by "*" gives nothing
        {"out", "*", "out"},                              // no "." at all
        {"out", "", "out"},
        {"/tmp/.hidden", "*.txt", "/tmp/.hidden"},
        {"/tmp/trailing.", "*.txt", "/tmp/trailing."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithExportExtension(c.path, c.filter), QString(c.expected)) << c.path << " " << c.filter;
}

TEST(TaskChoicesTest, RememberedPositionsFallBackToTheFirstWhenOutOfRange)
{
    struct Case {
        int remembered;
        int count;
        int row;
        int fileType;
    };
    const Case cases[] = {
        {0, 4, 0, 1}, {3, 4, 3, 3}, {4, 4, 0, 4}, {5, 4, 0, 1}, {-1, 4, 0, 1}, {1, 1, 0, 1}, {0, 0, 0, 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StartRow(c.remembered, c.count), c.row) << c.remembered << "/" << c.count;
        EXPECT_EQ(StartFileType(c.remembered, c.count), c.fileType) << c.remembered << "/" << c.count;
    }
    const TaskChoices fresh;
    EXPECT_EQ(fresh.importFileType, 1);
    EXPECT_EQ(fresh.exportFileType, 1);
}

TEST(ChecksumReportTextTest, ReadsUtf16LittleEndianAndDropsAnOddLastByte)
{
    struct Case {
        QByteArray bytes;
        QString text;
    };
    const Case cases[] = {
        {QByteArray(), QString()},
        {QByteArray("A", 1), QString()},
        {QByteArray("A\0B\0", 4), "AB"},
        {QByteArray("A\0B\0C", 5), "AB"},
        {QByteArray("\xAC\x20\r\0\n\0", 6), QString::fromUtf16(u"\u20AC\r\n")},
        // A byte-order mark is not looked for: it stays a character.
        {QByteArray("\xFF\xFEZ\0", 4), QString(QChar(0xFEFF)) + QLatin1Char('Z')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChecksumReportText(c.bytes), c.text) << c.bytes.toHex().toStdString();
}

// The handler the background tests run: asks a question through the platform
// and returns a code that tells what it was answered.
std::atomic<bool> handlerOnMainThread{true};
uint32_t AskingHandler(const TaskArgs* args)
{
    handlerOnMainThread = QThread::currentThread() == qApp->thread();
    const platform::MsgResult answer = platform::ShowMessage("Sure?", platform::MsgButtons::YesNo);
    return answer == platform::MsgResult::Yes ? args->id : 0u;
}

TEST(BackgroundTaskRunTest, HandlerRunsOffTheMainThreadAndItsQuestionIsAnsweredThere)
{
    bool answeredOnMainThread = false;
    QString asked;
    platform::MessageHandler previous = platform::SetMessageHandler([&](const platform::Message& message) {
        answeredOnMainThread = QThread::currentThread() == qApp->thread();
        asked = message.text;
        return platform::MsgResult::Yes;
    });
    {
        UiThreadMessages messages;
        TaskArgs args{};
        args.id = 42;
        QEventLoop loop;
        BackgroundTaskRun run(AskingHandler, args, [&loop] { loop.quit(); });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        ASSERT_TRUE(run.Finished());
        EXPECT_EQ(run.Result(), 42u);
        EXPECT_FALSE(run.OutOfMemory());
    }
    platform::SetMessageHandler(std::move(previous));
    EXPECT_FALSE(handlerOnMainThread);
    EXPECT_TRUE(answeredOnMainThread);
    EXPECT_EQ(asked, "Sure?");
}

uint32_t ThrowingHandler(const TaskArgs*) { throw std::bad_alloc(); }

TEST(BackgroundTaskRunTest, HostOutOfMemoryIsTold)
{
    TaskArgs args{};
    QEventLoop loop;
    BackgroundTaskRun run(ThrowingHandler, args, [&loop] { loop.quit(); });
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_TRUE(run.Finished());
    EXPECT_TRUE(run.OutOfMemory());
    EXPECT_EQ(run.Result(), TASK_RESULT_REPORTED);
}

} // namespace
