#pragma once
// The file dialogs of Import and Export: a list of file types built from
// the tasks, one of them preselected. Tests answer them through a hook.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

enum class TaskFileDialogKind { Import, Export };

struct TaskFileRequest {
    TaskFileDialogKind kind = TaskFileDialogKind::Import;
    QString title;
    QStringList filters;
    int filterIndex = 1;  // counted from 1
};

struct TaskFileAnswer {
    QString path;
    int filterIndex = 1;  // the file type the user chose, counted from 1
};

// Import: an existing file must be chosen. Export: asks before replacing a file.
std::optional<TaskFileAnswer> ChooseTaskFile(QWidget* parent, const TaskFileRequest& request);

using TaskFileHook = std::function<std::optional<TaskFileAnswer>(const TaskFileRequest& request)>;
// Installs a hook (empty: the real dialogs) and returns the previous one.
TaskFileHook SetTaskFileHook(TaskFileHook hook);
