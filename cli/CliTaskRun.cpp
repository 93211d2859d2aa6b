#include "CliTaskRun.h"

#include "CliMessages.h"
#include "ProgressLine.h"

#include "core/BufferRangeToTempFile.h"
#include "ext/BackgroundTaskRun.h"
#include "ext/TaskArgsBlock.h"
#include "ext/TaskExtensions.h"
#include "ext/TaskResultMessage.h"
#include "platform/FileErrors.h"
#include "settings/AppSettings.h"
#include "tools/CoreMessages.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTimer>

std::optional<StagedInput> StagedInput::Stage(InputDocument& input, const InputStretch& stretch)
{
    StagedInput staged;
    if (stretch.whole) {
        std::optional<UserFileStandIn> standIn = UserFileStandIn::ForInput(input.Path());
        if (!standIn)
            return std::nullopt;
        staged.path_ = standIn->ModulePath();
        staged.standIn_ = std::make_shared<UserFileStandIn>(std::move(*standIn));
        return staged;
    }
    std::unique_ptr<TaskTempFile> copy = MakeTaskTempFileOrReport();
    if (!copy)
        return std::nullopt;
    const CoreProblem problem = WriteBufferRangeToTempFile(input.Buffer(), stretch.offset, stretch.length, copy->Path());
    if (problem) {
        PrintProblem(problem.path, CoreMessages::ProblemText(problem));
        return std::nullopt;
    }
    staged.path_ = copy->Path();
    staged.copy_ = std::move(copy);
    return staged;
}

std::optional<StagedStretch> StageFileStretch(const QString& path, const CliArguments& arguments)
{
    const std::unique_ptr<InputDocument> input = InputDocument::Open(path);
    if (!input)
        return std::nullopt;
    const std::optional<InputStretch> stretch = ResolveStretch(path, input->Size(), arguments);
    if (!stretch)
        return std::nullopt;
    std::optional<StagedInput> staged = StagedInput::Stage(*input, *stretch);
    if (!staged)
        return std::nullopt;
    return StagedStretch{*stretch, std::move(*staged)};
}

TaskViewParams CliViewParams(const QString& path, const InputStretch& stretch, int bytesPerRow)
{
    TaskViewParams params;
    params.documentTitle = QFileInfo(path).fileName();
    params.bytesPerRow = bytesPerRow;
    params.hasSelection = !stretch.whole;
    params.selectionStart = stretch.offset;
    return params;
}

bool RunTaskHandler(TaskExtensions& tasks, const TaskRef& task, const QString& inputPath,
                    const QString& outputPath, const TaskViewParams* view, uint32_t reportLines)
{
    const TaskEntry& entry = tasks.Task(task.kind, task.index);
    TaskRunTarget target;
    target.kind = uint32_t(task.kind);
    target.id = entry.id;
    target.inputPath = inputPath;
    target.outputPath = outputPath;
    target.view = view;
    target.reportLines = reportLines;
    if (const QString refusal = TaskOffsetRefusal(entry, target); !refusal.isEmpty()) {
        PrintProblem(QString(), refusal);
        return false;
    }
    const TaskArgsBlock block(target, tasks.CurrentLayout());

    // The module's message boxes, if any, come back to this thread, which
    // keeps its event loop running until the handler returns.
    UiThreadMessages messages;
    ProgressLine progress(entry.name);
    QEventLoop loop;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&progress] { progress.Update(0, 0); });
    ticks.start(200);
    BackgroundTaskRun run(entry.handler, block.Args(), [&loop] { loop.quit(); });
    // The handler's end always posts the quit, even when it comes first.
    loop.exec();
    if (run.OutOfMemory()) {
        PrintProblem(QString(), platform::OutOfMemoryText());
        return false;
    }
    ReportTaskResult(run.Result());
    return run.Result() == TASK_RESULT_SUCCESS;
}
