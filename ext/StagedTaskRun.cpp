#include "StagedTaskRun.h"

#include "ext/TaskExtensions.h"
#include "ext/TaskTempFile.h"
#include "platform/FileErrors.h"
#include "platform/FileReader.h"
#include "platform/TempFile.h"

#include <cerrno>
#include <cstdint>
#include <memory>

namespace {

// A temporary file, or a report of why it could not be made.
std::unique_ptr<TaskTempFile> MakeTempOrReport()
{
    auto file = std::make_unique<TaskTempFile>();
    if (!file->Ok()) {
        platform::ReportFileError(file->Error(), platform::TempDirectory());
        return nullptr;
    }
    return file;
}

std::optional<QByteArray> ReadOutput(const QString& path)
{
    platform::FileReader reader;
    if (!reader.Open(path)) {
        platform::ReportFileError(reader.Error(), path);
        return std::nullopt;
    }
    const int64_t size = reader.Size();
    if (size < 0 || size > int64_t(INT32_MAX)) {
        platform::ReportFileError(size < 0 ? reader.Error() : EFBIG, path);
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    int64_t done = 0;
    while (done < size) {
        const int64_t read = reader.Read(bytes.data() + done, size - done);
        if (read < 0) {
            platform::ReportFileError(reader.Error(), path);
            return std::nullopt;
        }
        if (read == 0)
            break;
        done += read;
    }
    bytes.truncate(qsizetype(done));
    return bytes;
}

} // namespace

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
        input = MakeTempOrReport();
        if (!input || !task.writeInput || !task.writeInput(input->Path()))
            return std::nullopt;
        inputPath = input->Path();
    }

    std::unique_ptr<TaskTempFile> output;
    QString outputPath = task.kind == TASK_EXPORT ? task.userOutputPath : QString();
    if (KindHasHostOutput(task.kind)) {
        output = MakeTempOrReport();
        if (!output)
            return std::nullopt;
        outputPath = output->Path();
    }

    if (!tasks.RunTask(task.kind, task.index, inputPath, outputPath, task.view))
        return std::nullopt;
    if (!output)
        return QByteArray();
    return ReadOutput(output->Path());
}
