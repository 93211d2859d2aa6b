#include "StagedTaskRun.h"

#include "ext/TaskExtensions.h"
#include "ext/TaskTempFile.h"
#include "platform/FileErrors.h"
#include "platform/FileReader.h"
#include "platform/TempFile.h"

#include <cerrno>
#include <cstdint>
#include <memory>

bool KindHasHostInput(int kind)
{
    return kind == TASK_EXPORT || kind == TASK_COPY_AS || kind == TASK_CONVERSION || kind == TASK_CHECKSUM;
}

bool KindHasHostOutput(int kind)
{
    return kind == TASK_IMPORT || kind == TASK_PASTE_AS || kind == TASK_CONVERSION || kind == TASK_CHECKSUM;
}

std::optional<QByteArray> RunStagedTask(TaskExtensions& tasks, const StagedTask& task)
{
    if (!TaskExtensions::IsValidKind(task.kind))
        return std::nullopt;

    std::unique_ptr<TaskTempFile> input;
    QString inputPath = task.kind == TASK_IMPORT ? task.userInputPath : QString();
    if (KindHasHostInput(task.kind)) {
        input = MakeTaskTempFileOrReport();
        if (!input || !task.writeInput || !task.writeInput(input->Path()))
            return std::nullopt;
        inputPath = input->Path();
    }

    std::unique_ptr<TaskTempFile> output;
    QString outputPath = task.kind == TASK_EXPORT ? task.userOutputPath : QString();
    if (KindHasHostOutput(task.kind)) {
        output = MakeTaskTempFileOrReport();
        if (!output)
            return std::nullopt;
        outputPath = output->Path();
    }

    if (!tasks.RunTask(task.kind, task.index, inputPath, outputPath, task.view))
        return std::nullopt;
    if (!output)
        return QByteArray();
    return ReadTaskOutput(output->Path(), int64_t(INT32_MAX));
}
