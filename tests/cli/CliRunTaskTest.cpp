// run: the output of Convert Data and Export equals, byte for byte, what the
// same task writes when the host runs it on the same input as the editor's
// task commands do; checksum reports and imports through the same modules.
#include "CliRunner.h"
#include "TestFiles.h"

#include "ext/TaskExtensions.h"
#include "ext/TaskViewParams.h"
#include "platform/FontRecord.h"
#include "settings/AppSettings.h"
#include "settings/SettingsStore.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class CliRunTaskTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The font and colours written into a settings file both runs read:
        // a window-less run knows no desktop font or palette to resolve.
        AppSettings settings;
        settings.font2 = platform::SystemFixedFontRecord();
        for (int slot = 0; slot < AppSettings::UsedColorCount; ++slot)
            settings.colors[slot] = 0x00203040u + uint32_t(slot);
        ASSERT_TRUE(SaveSettings(settings));
        tasks_ = new TaskExtensions(QStringLiteral(VANTREL_MODULE_BIN_DIR));
        // The host hands tasks the layout of its settings.
        tasks_->SetLayoutSource([layout = TaskLayoutOf(settings)] { return layout; });
        tasks_->Load();
    }
    static void TearDownTestSuite()
    {
        delete tasks_;
        tasks_ = nullptr;
    }

    int IndexOf(int kind, const QString& name) const
    {
        for (int i = 0; i < tasks_->TaskCount(kind); ++i)
            if (tasks_->Task(kind, i).name == name)
                return i;
        ADD_FAILURE() << "no task " << name.toStdString();
        return 0;
    }

    // What the host's run writes for the selection [offset, offset + length).
    QByteArray HostOutput(int kind, const QString& name, const QByteArray& selection, int offset, bool whole)
    {
        const QString input = dir_.filePath("host-input.bin");
        const QString output = dir_.filePath("host-output.bin");
        WriteWholeFile(input, selection);
        WriteWholeFile(output, {});
        TaskViewParams view;
        view.documentTitle = QFileInfo(path_).fileName();
        view.hasSelection = !whole;
        view.selectionStart = offset;
        EXPECT_TRUE(tasks_->RunTask(kind, IndexOf(kind, name), input, output, &view));
        return ReadWholeFile(output);
    }

    void SetUp() override
    {
        bytes_ = RandomBytes(70'000, 21) + "Mixed Case text\r\nand lines\n";
        path_ = dir_.filePath("input.bin");
        WriteWholeFile(path_, bytes_);
    }

    static TaskExtensions* tasks_;
    QTemporaryDir dir_;
    QByteArray bytes_;
    QString path_;
};

TaskExtensions* CliRunTaskTest::tasks_ = nullptr;

TEST_F(CliRunTaskTest, ConversionsAndExportsAreByteIdenticalToTheHostRun)
{
    struct Case {
        int kind;
        const char* name;
        const char* commandName;
    };
    const Case cases[] = {
        {TASK_CONVERSION, "Upper Case", "Upper Case"},
        {TASK_CONVERSION, "Base64 Encode Data", "convert:base64 encode data"},
        {TASK_CONVERSION, "DOS Newlines to UNIX Newlines", "DOS Newlines to UNIX Newlines"},
        {TASK_EXPORT, "Text Files", "export:Text Files"},
        {TASK_EXPORT, "HTML Files", "export:HTML Files"},
        {TASK_EXPORT, "Intel HEX Files", "export:Intel HEX Files"},
    };
    struct Stretch {
        QStringList options;
        int offset;
        int length;
    };
    const Stretch stretches[] = {{{}, 0, int(bytes_.size())}, {{"--offset", "0x11", "--length", "5000"}, 17, 5000}};
    for (const Case& c : cases) {
        for (const Stretch& s : stretches) {
            const bool whole = s.options.isEmpty();
            const QByteArray expected = HostOutput(c.kind, c.name, bytes_.mid(s.offset, s.length), s.offset, whole);
            const CliResult toStdout = RunCli(QStringList{"run", c.commandName, path_} + s.options);
            ASSERT_EQ(toStdout.exitCode, 0) << c.name << toStdout.err.toStdString();
            EXPECT_EQ(toStdout.out, expected) << c.name;
            const QString out = dir_.filePath("out.bin");
            const CliResult toFile = RunCli(QStringList{"run", c.commandName, path_, "-o", out} + s.options);
            ASSERT_EQ(toFile.exitCode, 0) << c.name;
            EXPECT_TRUE(toFile.out.isEmpty());
            EXPECT_EQ(ReadWholeFile(out), expected) << c.name;
        }
    }
}

TEST_F(CliRunTaskTest, ChecksumPrintsTheReportAndImportReadsTheFile)
{
    const CliResult report = RunCli({"run", "SHA-1 Checksum", path_});
    ASSERT_EQ(report.exitCode, 0) << report.err.toStdString();
    const QByteArray sha = RunTool("sha1sum", {path_}).out.left(40).toUpper();
    EXPECT_TRUE(report.out.contains("Filename: input.bin\nOffset: 0\nLength: 70027\n")) << report.out.toStdString();
    EXPECT_TRUE(report.out.contains("SHA-1 Checksum: " + sha + "\n"));

    const QString encoded = dir_.filePath("encoded.b64");
    WriteWholeFile(encoded, RunTool("base64", {path_}).out);
    const CliResult imported = RunCli({"run", "import:Base64 Files", encoded});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, bytes_);
}

// A stretch of a sparse 5 GiB file from 4 GiB - 4096 on (a hole, the
// marker's block, a hole): the module reads exactly those bytes and is told
// the whole offset.
TEST_F(CliRunTaskTest, ARunPastFourGiBGetsTheStretchAndItsOffset)
{
    const QString big = dir_.filePath("five-gib.bin");
    const QByteArray marker = RandomBytes(64, 23);
    WriteSparseFile(big, int64_t(5) << 30, {{(int64_t(1) << 32) + 5, marker}});
    QByteArray stretch(3 * 4096, '\0');
    stretch.replace(4096 + 5, marker.size(), marker);
    const QByteArray sha = RunTool("sha1sum", {}, stretch).out.left(40).toUpper();
    const CliResult report =
        RunCli({"run", "SHA-1 Checksum", big, "--offset", "0xFFFFF000", "--length", "12288"});
    ASSERT_EQ(report.exitCode, 0) << report.err.toStdString();
    EXPECT_TRUE(report.out.contains("Filename: five-gib.bin\nOffset: 4294963200\nLength: 12288\n")) << report.out.toStdString();
    EXPECT_TRUE(report.out.contains("SHA-1 Checksum: " + sha + "\n")) << report.out.toStdString();
}

TEST_F(CliRunTaskTest, SettingsFileChoosesTheExportLayout)
{
    const QString ini = dir_.filePath("layout.ini");
    WriteWholeFile(ini, "[Settings]\nBytesPerRow=8\n");
    const CliResult narrow = RunCli({"run", "export:Text Files", path_, "--length", "16", "--settings", ini});
    const CliResult usual = RunCli({"run", "export:Text Files", path_, "--length", "16"});
    ASSERT_EQ(narrow.exitCode, 0) << narrow.err.toStdString();
    EXPECT_EQ(narrow.out.count('\n'), 2 * usual.out.count('\n')) << narrow.out.toStdString();
}

} // namespace
