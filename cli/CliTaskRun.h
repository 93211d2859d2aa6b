#pragma once
// Running one task of an installed module for the command line, the way the
// editor's task commands do: the input staged where the task's kind needs
// one (the whole file handed over as it is, a stretch written to a
// temporary file), the output in a temporary file that the caller delivers.
// The handler runs on a thread of its own while this one shows progress and
// passes the module's messages on to standard error.
#include "InputDocument.h"
#include "TaskLookup.h"

#include "ext/TaskTempFile.h"
#include "ext/TaskViewParams.h"
#include "ext/UserFileStandIn.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class TaskExtensions;

// What a task reads: the user's file (or its stand-in), or a temporary copy
// of the stretch.
class StagedInput {
public:
    // Nothing after the problem has been printed.
    static std::optional<StagedInput> Stage(InputDocument& input, const InputStretch& stretch);
    const QString& Path() const { return path_; }

private:
    QString path_;
    std::shared_ptr<UserFileStandIn> standIn_;
    std::shared_ptr<TaskTempFile> copy_;
};

// A file's stretch named by the options, staged for a task.
struct StagedStretch {
    InputStretch stretch;
    StagedInput input;
};
// Opens the file, resolves --offset and --length within it and stages the
// stretch. Nothing after the problem has been printed.
std::optional<StagedStretch> StageFileStretch(const QString& path, const CliArguments& arguments);

// The view parameters a task sees: the file's name as the document title,
// the layout's bytes per row, the stretch as the selection.
TaskViewParams CliViewParams(const QString& path, const InputStretch& stretch, int bytesPerRow);

// Runs the task; false after the failure has been printed. reportLines
// selects checksum report lines (0: all).
bool RunTaskHandler(TaskExtensions& tasks, const TaskRef& task, const QString& inputPath,
                    const QString& outputPath, const TaskViewParams* view, uint32_t reportLines = 0);
