#pragma once
// Tasks of the installed modules by the names the command line uses: a
// kind word ("export", "import", "copy-as", "paste-as", "convert",
// "checksum") and the task's own name, matched without regard to case.
// A name that several kinds share is told apart by "kind:name".
#include <QString>

#include <optional>

class TaskExtensions;

struct TaskRef {
    int kind = 0;
    int index = 0;  // among the tasks of its kind
};

QString TaskKindWord(int kind);

// Nothing, with error set, when no task or more than one has that name.
std::optional<TaskRef> FindTaskByName(const TaskExtensions& tasks, const QString& spec, QString& error);
