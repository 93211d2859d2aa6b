#pragma once
// One task run with its files staged the way each kind needs them: the
// host's input written to a temporary file (Export, Copy As, Convert,
// Checksum), the user's file as input (Import), a temporary output file for
// the kinds whose output the host takes back (Import, Paste As, Convert,
// Checksum) and the user's file as output (Export). Every temporary file is
// deleted when the run ends, whatever its result.
#include "ext/TaskViewParams.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class TaskExtensions;

struct StagedTask {
    int kind = 0;
    int index = 0;  // in the kind's task list
    // Writes the host's input to the given path (the document or the
    // selection); it reports its own failure and returns false.
    std::function<bool(const QString& path)> writeInput;
    QString userInputPath;   // Import: the file the user chose
    QString userOutputPath;  // Export: the file the user named
    const TaskViewParams* view = nullptr;
};

// The output bytes on success (empty for Export and Copy As, whose product is
// the user's file or the clipboard); nothing when staging or the task failed,
// in which case the user has been told and no output may be used.
std::optional<QByteArray> RunStagedTask(TaskExtensions& tasks, const StagedTask& task);

// Whether the host stages an input file for this kind / takes back an output file.
bool KindHasHostInput(int kind);
bool KindHasHostOutput(int kind);
