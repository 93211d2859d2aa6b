// Copy As through the clipboard of the offscreen platform, and the results
// of failed exports.
#include "ExportTestSupport.h"

#include "ScopedEnv.h"
#include "TestFiles.h"
#include "platform/Clipboard.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// Points the temporary folder somewhere empty for the test's lifetime.
class TempFolderGuard {
public:
    QStringList Entries() const { return QDir(dir_.path()).entryList(QDir::Files); }

private:
    QTemporaryDir dir_;
    ScopedEnv tmpdir_{"TMPDIR", dir_.path().toLocal8Bit()};
};

} // namespace

TEST(CopyAs, EveryVariantPlacesItsExportTextAloneAsPlainText)
{
    const std::pair<const char*, const char*> variants[] = {
        {"Text", "Text Files"},           {"HTML", nullptr},
        {"HTML Page", "HTML Files"},      {"C Source", "C Source Files"},
        {"Assembly Source", "Assembly Source Files"},
    };
    const QByteArray input = RandomBytes(300, 4);
    ViewSettings view;
    view.offset = 0x13;
    for (const auto& [copyName, exportName] : variants) {
        SCOPED_TRACE(copyName);
        TempFolderGuard temp;
        ExportRunner runner;
        ASSERT_TRUE(platform::SetClipboardText("before"));
        ASSERT_EQ(runner.CopyAs(QString::fromLatin1(copyName), input, view), 0u);
        EXPECT_EQ(platform::ClipboardFormats(), QStringList{QStringLiteral("text/plain")});
        const std::optional<QByteArray> text = platform::ClipboardText();
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(text->count('\0'), 0);
        if (exportName)
            EXPECT_EQ(*text, runner.Export(QString::fromLatin1(exportName), input, view).output);
        else
            EXPECT_TRUE(text->startsWith("<font face=\"Courier New\" color=\"#000000\">\r\n00000010&nbsp;"));
        EXPECT_TRUE(temp.Entries().isEmpty()) << temp.Entries().join(' ').toStdString();
    }
}

TEST(CopyAs, TextStartsWithTheSelectionsRow)
{
    ViewSettings view;
    view.offset = 0x13;
    ExportRunner runner;
    ASSERT_EQ(runner.CopyAs(QStringLiteral("Text"), "ABC", view), 0u);
    EXPECT_EQ(platform::ClipboardText(),
              std::optional<QByteArray>("00000010           41 42 43" + QByteArray(30, ' ') + "     ABC" +
                                        QByteArray(10, ' ') + "\r\n"));
}

TEST(ExportFailures, MissingInputIsAReadErrorAndCreatesNoOutput)
{
    ExportRunner runner;
    for (const RegisteredTask& task : ExportModule().Tasks()) {
        SCOPED_TRACE(task.name.toStdString());
        ASSERT_TRUE(platform::SetClipboardText("kept"));
        const QString output = task.kind == TASK_EXPORT ? runner.Path("never.txt") : QString();
        EXPECT_EQ(CallTask(task, runner.Path("missing.bin"), output, ViewSettings()), 4u);
        EXPECT_FALSE(QFile::exists(runner.Path("never.txt")));
        EXPECT_EQ(platform::ClipboardText(), std::optional<QByteArray>("kept"));
    }
}

TEST(ExportFailures, AnOutputThatCannotBeCreatedIsAWriteError)
{
    ExportRunner runner;
    WriteWholeFile(runner.Path("input.bin"), "ABC");
    for (const RegisteredTask& task : ExportModule().Tasks()) {
        if (task.kind != TASK_EXPORT)
            continue;
        SCOPED_TRACE(task.name.toStdString());
        EXPECT_EQ(CallTask(task, runner.Path("input.bin"), runner.Path("no/such/folder/out.txt"), ViewSettings()), 3u);
    }
}

TEST(ExportFailures, AFullDiskIsReportedNotHidden)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full";
    ExportRunner runner;
    WriteWholeFile(runner.Path("input.bin"), RandomBytes(100000, 2));
    const RegisteredTask& text = ExportModule().Task(TASK_EXPORT, QStringLiteral("Text Files"));
    EXPECT_EQ(CallTask(text, runner.Path("input.bin"), QStringLiteral("/dev/full"), ViewSettings()), 3u);
}
