// Running a task: the TaskArgs a handler sees, the result-code messages, the
// progress feedback, and the staging of files around a run.
#include "ModuleTestSupport.h"

#include "MessageRecorder.h"
#include "TestFiles.h"
#include "settings/AppSettings.h"
#include "settings/SystemColor.h"
#include "ext/StagedTaskRun.h"
#include "ext/SystemColorResolver.h"
#include "ext/TaskExtensions.h"
#include "platform/BackgroundRemover.h"
#include "platform/StatusHooks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

QString Text(const char16_t* text) { return QString::fromUtf16(text); }

class TaskRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The top byte is set, as a resolver may leave it: a module never sees it.
        tasks.SetLayoutSource([this] {
            return TaskLayoutOf(settings, [](int index) { return 0xFF000042u + 0x00010000u * uint32_t(index); });
        });
        dir.Add("ProbeTasks.vtx", "Probe.vtx");
        tasks.Load();
        ASSERT_EQ(tasks.ModuleCount(), 1);
        probe = ProbeOf(tasks.Module(0).path);
        ASSERT_NE(probe, nullptr);
        probe->calls = 0;
        probe->nextResult = TASK_RESULT_SUCCESS;
    }

    // Runs the first task of kind with staged files; input bytes "abc" where the kind has host input.
    std::optional<QByteArray> RunStaged(int kind, const TaskViewParams* view, QString* stagedInput = nullptr)
    {
        StagedTask task;
        task.kind = kind;
        task.writeInput = [stagedInput](const QString& path) {
            if (stagedInput)
                *stagedInput = path;
            WriteWholeFile(path, "abc");
            return true;
        };
        task.userInputPath = importSource;
        task.userOutputPath = exportTarget;
        task.view = view;
        std::optional<QByteArray> output = RunStagedTask(tasks, task);
        // The temporary files are removed in the background.
        platform::WaitForPendingRemovals();
        return output;
    }

    AppSettings settings;  // what the tasks are told of the layout
    ModuleDir dir;
    TaskExtensions tasks{dir.Path()};
    ProbeState* probe = nullptr;
    MessageRecorder messages;
    QString importSource = dir.FilePath("source.prb");
    QString exportTarget = dir.FilePath("target.prb");
};

TaskViewParams ViewWithSelection(int64_t start)
{
    TaskViewParams view;
    view.documentTitle = "data.bin";
    view.bytesPerRow = 24;
    view.hasSelection = true;
    view.selectionStart = start;
    return view;
}

} // namespace

TEST_F(TaskRunTest, ArgsComeFromTheViewAndTheLayout)
{
    settings.bytesPerRow = 32;
    for (int slot = 0; slot < AppSettings::kColorSlots; ++slot)
        settings.colors[slot] = 0x00100000u + uint32_t(slot);
    settings.colors[AppSettings::SelBackgroundColor] = SystemColor(kSysColorHighlight);
    int window = 0;
    tasks.SetOwnerWindow(&window);

    const TaskViewParams view = ViewWithSelection(100);
    ASSERT_TRUE(tasks.RunTask(TASK_CONVERSION, 0, "/in/path", "/out/path", &view));
    ASSERT_EQ(probe->calls, 1);
    const TaskArgs& args = probe->args;
    EXPECT_EQ(args.kind, uint32_t(TASK_CONVERSION));
    EXPECT_EQ(args.id, 14);
    EXPECT_EQ(Text(probe->inputPath), "/in/path");
    EXPECT_EQ(Text(probe->outputPath), "/out/path");
    EXPECT_EQ(args.ownerWindow, &window);
    EXPECT_EQ(Text(probe->fileName), "data.bin");
    EXPECT_EQ(args.offset, 100);
    EXPECT_EQ(args.bytesPerRow, 24) << "the view's row width, not the setting";
    for (uint8_t byte : args.reserved)
        EXPECT_EQ(byte, 0);
    for (uint8_t byte : args.reserved2)
        EXPECT_EQ(byte, 0);

    // Slots 0 to 11 carry the colours, system colours resolved to plain RGB; 12 to 15 stay zero.
    for (int slot = 0; slot < 12; ++slot) {
        const uint32_t expected = slot == AppSettings::SelBackgroundColor ? 0x000D0042u : 0x00100000u + uint32_t(slot);
        EXPECT_EQ(args.colors[slot], expected) << "slot " << slot;
    }
    for (int slot = 12; slot < 16; ++slot)
        EXPECT_EQ(args.colors[slot], 0u) << "slot " << slot;
    EXPECT_EQ(messages.Count(), 0);
}

// A module that announces the 64-bit offset runs anywhere and reads it there;
// one that does not runs only where the 32-bit offset holds the selection's
// start, and is refused with a message beyond.
TEST(TaskOffsetTest, OnlyModulesThatReadTheWideOffsetRunBeyondTwoGiB)
{
    constexpr int64_t k2GiB = int64_t(1) << 31;
    const struct Case {
        const char* module;
        int64_t start;
        bool runs;
    } cases[] = {
        {"ProbeTasks.vtx", 100, true},         {"ProbeTasks.vtx", k2GiB - 1, true},
        {"ProbeTasks.vtx", k2GiB, false},      {"ProbeTasks.vtx", 5 * k2GiB, false},
        {"ProbeTasks64.vtx", 100, true},       {"ProbeTasks64.vtx", k2GiB - 1, true},
        {"ProbeTasks64.vtx", k2GiB, true},     {"ProbeTasks64.vtx", 5 * k2GiB + 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.module) + " at " + std::to_string(c.start));
        ModuleDir dir;
        dir.Add(c.module, "Probe.vtx");
        TaskExtensions tasks{dir.Path()};
        tasks.Load();
        ASSERT_EQ(tasks.ModuleCount(), 1);
        ProbeState* probe = ProbeOf(tasks.Module(0).path);
        probe->calls = 0;
        probe->nextResult = TASK_RESULT_SUCCESS;
        MessageRecorder messages;
        const TaskViewParams view = ViewWithSelection(c.start);

        EXPECT_EQ(tasks.RunTask(TASK_CONVERSION, 0, "/in", "/out", &view), c.runs);
        if (!c.runs) {
            EXPECT_EQ(probe->calls, 0);
            EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral(
                                            "\"Probe Convert\" cannot run here: its module knows only offsets below "
                                            "2147483648, and the selection starts at %1.")
                                                                .arg(c.start)});
            continue;
        }
        ASSERT_EQ(probe->calls, 1);
        EXPECT_EQ(probe->args.argsVersion, VANTREL_TASK_ARGS_VERSION);
        EXPECT_EQ(probe->args.offset64, c.start);
        EXPECT_EQ(VantrelTaskOffset(&probe->args), c.start);
        EXPECT_EQ(probe->args.offset, c.start < k2GiB ? int32_t(c.start) : 0);
        EXPECT_EQ(messages.Count(), 0);
    }
}

TEST_F(TaskRunTest, GroupSizeAndOffsetRadixFollowTheLayout)
{
    // Groups of 1, 2, 4 or 8 bytes; a setting outside 0 to 3 gives single bytes.
    const int expectedGroups[] = {1, 2, 4, 8, 1};
    for (int groupBy = 0; groupBy < 5; ++groupBy) {
        settings.groupBy = groupBy;
        settings.offsetFormat = groupBy % 2;
        ASSERT_TRUE(tasks.RunTask(TASK_CHECKSUM, 0, "/in", "/out", nullptr));
        EXPECT_EQ(probe->args.groupBy, expectedGroups[groupBy]);
        EXPECT_EQ(probe->args.offsetRadix, groupBy % 2 ? 16 : 10);
    }
}

TEST_F(TaskRunTest, SelectionOffsetOnlyForSelectionKinds)
{
    const TaskViewParams view = ViewWithSelection(77);
    for (int kind = 0; kind < TASK_KIND_COUNT; ++kind) {
        ASSERT_TRUE(tasks.RunTask(kind, 0, "/in", "/out", &view));
        EXPECT_EQ(probe->args.offset, kind >= TASK_COPY_AS ? 77 : 0) << "kind " << kind;
        EXPECT_EQ(probe->args.kind, uint32_t(kind));
    }
    TaskViewParams noSelection = view;
    noSelection.hasSelection = false;
    ASSERT_TRUE(tasks.RunTask(TASK_CONVERSION, 0, "/in", "/out", &noSelection));
    EXPECT_EQ(probe->args.offset, 0);
}

TEST_F(TaskRunTest, ImportRunsWithoutAView)
{
    settings.bytesPerRow = 48;
    WriteWholeFile(importSource, "imported");
    const std::optional<QByteArray> output = RunStaged(TASK_IMPORT, nullptr);
    ASSERT_TRUE(output.has_value());
    EXPECT_EQ(*output, PROBE_OUTPUT_TEXT);
    EXPECT_EQ(Text(probe->fileName), "Untitled");
    EXPECT_EQ(probe->args.offset, 0);
    EXPECT_EQ(probe->args.bytesPerRow, 48);
    EXPECT_EQ(probe->args.id, 11);
    EXPECT_EQ(Text(probe->inputPath), importSource);
    EXPECT_EQ(probe->inputSize, 8);
}

TEST_F(TaskRunTest, CopyAsGetsNoOutputPath)
{
    const TaskViewParams view = ViewWithSelection(5);
    QString stagedInput;
    const std::optional<QByteArray> output = RunStaged(TASK_COPY_AS, &view, &stagedInput);
    ASSERT_TRUE(output.has_value());
    EXPECT_TRUE(output->isEmpty());
    EXPECT_EQ(probe->outputPathNull, 1);
    EXPECT_EQ(probe->inputPathNull, 0);
    EXPECT_EQ(Text(probe->inputPath), stagedInput);
    ASSERT_EQ(probe->inputSize, 3);
    EXPECT_EQ(std::memcmp(probe->inputBytes, "abc", 3), 0);
    EXPECT_FALSE(QFile::exists(stagedInput));
}

TEST_F(TaskRunTest, PasteAsGetsNoInputPath)
{
    const TaskViewParams view = ViewWithSelection(5);
    const std::optional<QByteArray> output = RunStaged(TASK_PASTE_AS, &view);
    ASSERT_TRUE(output.has_value());
    EXPECT_EQ(*output, PROBE_OUTPUT_TEXT);
    EXPECT_EQ(probe->inputPathNull, 1);
    EXPECT_EQ(probe->outputPathNull, 0);
    EXPECT_FALSE(QFile::exists(Text(probe->outputPath)));
}

TEST_F(TaskRunTest, ExportWritesTheUsersFileFromAStagedInput)
{
    const TaskViewParams view = ViewWithSelection(9);
    QString stagedInput;
    const std::optional<QByteArray> output = RunStaged(TASK_EXPORT, &view, &stagedInput);
    ASSERT_TRUE(output.has_value());
    EXPECT_EQ(Text(probe->outputPath), exportTarget);
    EXPECT_EQ(ReadWholeFile(exportTarget), PROBE_OUTPUT_TEXT);
    EXPECT_EQ(probe->args.offset, 0);
    EXPECT_FALSE(QFile::exists(stagedInput));
}

TEST_F(TaskRunTest, TemporaryFilesAreNamedVtlAndDeletedAfterTheRun)
{
    const TaskViewParams view = ViewWithSelection(0);
    QString stagedInput;
    ASSERT_TRUE(RunStaged(TASK_CHECKSUM, &view, &stagedInput).has_value());
    const QString stagedOutput = Text(probe->outputPath);
    for (const QString& path : {stagedInput, stagedOutput}) {
        const QFileInfo info(path);
        EXPECT_EQ(info.absolutePath(), QDir(QDir::tempPath()).absolutePath()) << path.toStdString();
        EXPECT_TRUE(info.fileName().startsWith("VTL")) << path.toStdString();
        EXPECT_TRUE(info.fileName().endsWith(".tmp")) << path.toStdString();
        EXPECT_FALSE(QFile::exists(path)) << path.toStdString();
    }
    EXPECT_NE(stagedInput, stagedOutput);
}

struct ResultCase {
    uint32_t code;
    const char* message;  // null: no message at all
};

class TaskResultTest : public TaskRunTest, public ::testing::WithParamInterface<ResultCase> {};

TEST_P(TaskResultTest, FailureGivesItsMessageAndDiscardsTheOutput)
{
    probe->nextResult = GetParam().code;
    const TaskViewParams view = ViewWithSelection(0);
    QString stagedInput;
    const std::optional<QByteArray> output = RunStaged(TASK_CONVERSION, &view, &stagedInput);

    EXPECT_FALSE(output.has_value());
    EXPECT_EQ(probe->calls, 1);
    if (GetParam().message) {
        ASSERT_EQ(messages.Count(), 1);
        EXPECT_EQ(messages.Last(), GetParam().message);
        EXPECT_EQ(messages.Messages()[0].icon, platform::MsgIcon::Error);
    } else {
        EXPECT_EQ(messages.Count(), 0);
    }
    // The handler did write its output; it is thrown away with the temporary files.
    EXPECT_FALSE(QFile::exists(stagedInput));
    EXPECT_FALSE(QFile::exists(Text(probe->outputPath)));
    EXPECT_FALSE(tasks.RunTask(TASK_CONVERSION, 0, "/in", "/out", &view));
}

INSTANTIATE_TEST_SUITE_P(
    ResultCodes, TaskResultTest,
    ::testing::Values(
        ResultCase{1, "There was an error running the selected task. An unknown error occurred."},
        ResultCase{2, "There was an error running the selected task. There was not enough memory to complete an operation."},
        ResultCase{3, "There was an error running the selected task. There was an error writing to a file."},
        ResultCase{4, "There was an error running the selected task. There was an error reading from a file."},
        ResultCase{0x80000001u, "There was an error running the selected task. An unknown error occurred."},
        ResultCase{0x80000000u, nullptr}),
    [](const ::testing::TestParamInfo<ResultCase>& info) { return "Code" + std::to_string(info.param.code); });

TEST_F(TaskRunTest, ProgressTextAndWaitCursorSurroundTheRun)
{
    QStringList statusTexts;
    std::vector<bool> cursor;
    platform::SetStatusTextHandler([&](const QString& text) { statusTexts << text; });
    platform::SetWaitCursorHandler([&](bool busy) { cursor.push_back(busy); });

    EXPECT_TRUE(tasks.RunTask(TASK_CHECKSUM, 0, "/in", "/out", nullptr));
    EXPECT_TRUE(tasks.RunTask(TASK_EXPORT, 0, "/in", "/out", nullptr));
    probe->nextResult = 3;
    EXPECT_FALSE(tasks.RunTask(TASK_IMPORT, 0, "/in", "/out", nullptr));
    platform::SetStatusTextHandler({});
    platform::SetWaitCursorHandler({});

    EXPECT_EQ(statusTexts, (QStringList{"Computing checksum...", "", "Converting data...", "", "Converting data...", ""}));
    EXPECT_EQ(cursor, (std::vector<bool>{true, false, true, false, true, false}));
}

TEST_F(TaskRunTest, UnknownTaskRunsNothing)
{
    EXPECT_FALSE(tasks.RunTask(TASK_CONVERSION, 2, "/in", "/out", nullptr));
    EXPECT_FALSE(tasks.RunTask(6, 0, "/in", "/out", nullptr));
    EXPECT_FALSE(tasks.RunTask(-1, 0, "/in", "/out", nullptr));
    EXPECT_EQ(probe->calls, 0);
    EXPECT_EQ(messages.Count(), 0);
}

TEST_F(TaskRunTest, FailedStagingSkipsTheRunAndRemovesTheFiles)
{
    QString stagedInput;
    StagedTask task;
    task.kind = TASK_CONVERSION;
    task.writeInput = [&](const QString& path) {
        stagedInput = path;
        return false;
    };
    EXPECT_FALSE(RunStagedTask(tasks, task).has_value());
    EXPECT_EQ(probe->calls, 0);
    EXPECT_FALSE(stagedInput.isEmpty());
    platform::WaitForPendingRemovals();
    EXPECT_FALSE(QFile::exists(stagedInput));
}
